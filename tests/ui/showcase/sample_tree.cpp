#include "tests/ui/showcase/sample_tree.h"

#include <objidl.h>
#include <gdiplus.h>

#include <stdexcept>
#include <vector>

#include "ui/global_manager.h"
#include "ui/hbox.h"
#include "ui/render/render_context.h"
#include "ui/render/render_factory.h"
#include "ui/render/text_effect.h"
#include "ui/tile_box.h"
#include "ui/vbox.h"

namespace showcase {
namespace {

CLSID PngEncoder() {
    UINT count = 0;
    UINT size = 0;
    Gdiplus::GetImageEncodersSize(&count, &size);
    std::vector<BYTE> buffer(size);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (size == 0 || Gdiplus::GetImageEncoders(count, size, codecs) != Gdiplus::Ok) throw std::runtime_error("encoders");
    for (UINT i = 0; i < count; ++i) {
        if (std::wstring(codecs[i].MimeType) == L"image/png") return codecs[i].Clsid;
    }
    throw std::runtime_error("no PNG encoder");
}

template <class Draw>
void WritePicture(const std::wstring& path, int width, int height, Draw draw) {
    Gdiplus::Bitmap bitmap(width, height, PixelFormat32bppARGB);
    {
        Gdiplus::Graphics graphics(&bitmap);
        graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
        graphics.Clear(Gdiplus::Color(0, 0, 0, 0));
        draw(graphics);
    }
    const CLSID encoder = PngEncoder();
    if (bitmap.Save(path.c_str(), &encoder, nullptr) != Gdiplus::Ok) throw std::runtime_error("save");
}

// A rounded frame: 12-pixel corners that must stay sharp, a gradient body that stretches.
void WritePanel(const std::wstring& path) {
    WritePicture(path, 48, 48, [](Gdiplus::Graphics& g) {
        Gdiplus::GraphicsPath frame;
        frame.AddArc(0, 0, 24, 24, 180, 90);
        frame.AddArc(23, 0, 24, 24, 270, 90);
        frame.AddArc(23, 23, 24, 24, 0, 90);
        frame.AddArc(0, 23, 24, 24, 90, 90);
        frame.CloseFigure();
        Gdiplus::LinearGradientBrush body(Gdiplus::Point(0, 0), Gdiplus::Point(0, 48),
                                          Gdiplus::Color(235, 42, 56, 84), Gdiplus::Color(235, 20, 26, 40));
        g.FillPath(&body, &frame);
        Gdiplus::Pen edge(Gdiplus::Color(255, 201, 162, 77), 2.0f);
        g.DrawPath(&edge, &frame);
    });
}

// A 16x16 checker of two blues with a dot: shows tiling seams at once.
void WritePattern(const std::wstring& path) {
    WritePicture(path, 16, 16, [](Gdiplus::Graphics& g) {
        Gdiplus::SolidBrush dark(Gdiplus::Color(255, 30, 60, 110));
        Gdiplus::SolidBrush light(Gdiplus::Color(255, 45, 85, 150));
        g.FillRectangle(&dark, 0, 0, 16, 16);
        g.FillRectangle(&light, 0, 0, 8, 8);
        g.FillRectangle(&light, 8, 8, 8, 8);
        Gdiplus::SolidBrush dot(Gdiplus::Color(255, 240, 200, 90));
        g.FillEllipse(&dot, 10, 2, 4, 4);
    });
}

// The big button: a warm gradient pill with 20-pixel rounded ends.
void WriteButton(const std::wstring& path) {
    WritePicture(path, 60, 40, [](Gdiplus::Graphics& g) {
        Gdiplus::GraphicsPath pill;
        pill.AddArc(0, 0, 40, 39, 90, 180);
        pill.AddArc(19, 0, 40, 39, 270, 180);
        pill.CloseFigure();
        Gdiplus::LinearGradientBrush body(Gdiplus::Point(0, 0), Gdiplus::Point(0, 40), Gdiplus::Color(255, 255, 196, 64),
                                          Gdiplus::Color(255, 214, 120, 20));
        g.FillPath(&body, &pill);
    });
}

template <class T>
T* With(T* control, std::initializer_list<std::pair<const wchar_t*, std::wstring>> attributes) {
    for (const auto& [name, value] : attributes) control->SetAttribute(name, value);
    return control;
}

TextControl* Text(const std::wstring& text, const wchar_t* font, DWORD color, UINT style) {
    return new TextControl(text, font, color, style);
}

}  // namespace

TextControl::TextControl(std::wstring text, std::wstring fontId, DWORD color, UINT style)
    : text_(std::move(text)), fontId_(std::move(fontId)), color_(color), style_(style) {}

TextControl::~TextControl() = default;

void TextControl::SetEffect(ui::ITextEffect* effect) {
    effect_.reset(effect);
}

void TextControl::PaintText(ui::IRenderContext* context) {
    if (effect_) {
        context->DrawText(rect_, text_, color_, fontId_, style_, effect_.get());
    } else {
        context->DrawText(rect_, text_, color_, fontId_, style_, static_cast<BYTE>(255));
    }
}

void PrepareResources(const std::wstring& folder) {
    WritePanel(folder + L"\\panel.png");
    WritePattern(folder + L"\\pattern.png");
    WriteButton(folder + L"\\button.png");
    ui::GlobalManager::AddFont(L"title", L"Tahoma", 22, true, false, false, false);
    ui::GlobalManager::AddFont(L"body", L"Tahoma", 13, false, false, false, true);
    ui::GlobalManager::AddFont(L"button", L"Tahoma", 20, true, false, false, false);
    ui::GlobalManager::AddTextColor(L"night", L"#ff101624");
    ui::GlobalManager::AddTextColor(L"bar", L"#ff1b2538");
    ui::GlobalManager::AddTextColor(L"gold", L"#ffc9a24d");
    ui::GlobalManager::AddTextColor(L"shade", L"#a0000000");
    ui::GlobalManager::AddTextColor(L"news", L"#ff22314d");
    ui::GlobalManager::AddTextColor(L"line", L"#ff3a4d70");
}

ui::Box* BuildShowcase(const std::wstring& folder) {
    constexpr UINT kSingleLine = DT_SINGLELINE | DT_VCENTER | DT_NOCLIP | DT_END_ELLIPSIS;
    auto* root = With(new ui::VBox, {{L"bkcolor", L"night"}});

    auto* bar = With(new ui::HBox, {{L"height", L"48"}, {L"bkcolor", L"bar"}, {L"padding", L"16,0,12,0"}});
    auto* title = Text(L"TARVENOR", L"title", 0xFFF2D48A, kSingleLine);
    title->SetEffect(ui::GlobalManager::GetRenderFactory()->CreateTextEffect());
    title->GetEffect()->SetOutline(0xFF3A1E00, 0xFF7A4A10, 3, false);
    title->GetEffect()->SetFillGradient(0xFFFFF0C0, 0xFFD9A440, 1.0f, 1.0f);
    bar->Add(With(title, {{L"width", L"220"}}));
    bar->Add(new ui::Control);
    bar->Add(With(new ui::Control, {{L"width", L"28"}, {L"height", L"28"}, {L"valign", L"center"},
                                   {L"bordersize", L"2"}, {L"bordercolor", L"gold"}, {L"borderround", L"8,8"}}));
    root->Add(bar);

    auto* body = With(new ui::HBox, {{L"padding", L"16,16,16,16"}, {L"childmargin", L"16"}});
    auto* poster = With(new ui::Box(nullptr), {{L"width", L"420"},
                                     {L"bkimage", L"file='" + folder + L"\\panel.png' corner='12,12,12,12'"},
                                     {L"padding", L"12,12,12,12"}});
    auto* caption = With(new ui::VBox, {{L"height", L"70"}, {L"valign", L"bottom"}, {L"bkcolor", L"shade"},
                                       {L"padding", L"12,6,12,6"}});
    caption->Add(Text(L"Season of Embers", L"title", 0xFFFFFFFF, kSingleLine));
    caption->Add(Text(L"New region, new raids. Update now.", L"body", 0xFFB8C4D8, kSingleLine));
    poster->Add(caption);
    auto* faded = With(new ui::Box(nullptr), {{L"width", L"120"}, {L"height", L"60"}, {L"halign", L"right"},
                                    {L"valign", L"top"}, {L"bkcolor", L"gold"}, {L"alpha", L"128"}});
    faded->Add(Text(L"NEW", L"button", 0xFF101624, DT_SINGLELINE | DT_CENTER | DT_VCENTER));
    poster->Add(faded);
    body->Add(poster);

    auto* side = With(new ui::VBox, {{L"childmargin", L"12"}});
    auto* tiles = With(new ui::TileBox, {{L"itemsize", L"100,64"}, {L"childmargin", L"8"}, {L"height", L"216"}});
    for (int i = 0; i < 9; ++i) {
        auto* tile = With(new ui::Box(nullptr), {{L"width", L"100"}, {L"height", L"64"},
                                       {L"bkimage", L"file='" + folder + L"\\pattern.png' xtiled='true' ytiled='true'"},
                                       {L"bordersize", L"1"}, {L"bordercolor", L"gold"}});
        tile->Add(Text(L"Tile " + std::to_wstring(i + 1), L"body", 0xFFFFFFFF, DT_SINGLELINE | DT_CENTER | DT_VCENTER));
        tiles->Add(tile);
    }
    side->Add(tiles);
    auto* news = With(new ui::VBox, {{L"bkcolor", L"news"}, {L"padding", L"10,8,10,8"}, {L"bordersize", L"0,0,0,2"},
                                    {L"bordercolor", L"line"}});
    for (const wchar_t* line : {L"Patch notes 1.2: balance changes", L"Maintenance on Thursday", L"Community contest"}) {
        news->Add(With(Text(line, L"body", 0xFFD8E0EE, kSingleLine), {{L"height", L"24"}}));
    }
    side->Add(news);
    auto* button = With(new ui::Box(nullptr), {{L"height", L"56"},
                                     {L"bkimage", L"file='" + folder + L"\\button.png' corner='20,0,20,0'"}});
    button->Add(Text(L"PLAY", L"button", 0xFF3A1E00, DT_SINGLELINE | DT_CENTER | DT_VCENTER));
    side->Add(button);
    body->Add(side);
    root->Add(body);
    return root;
}

ui::Box* BuildLargeTree(const std::wstring& folder, int count) {
    auto* root = With(new ui::VBox, {{L"bkcolor", L"night"}});
    int made = 1;
    const std::wstring panel = L"file='" + folder + L"\\panel.png' corner='12,12,12,12'";
    const std::wstring pattern = L"file='" + folder + L"\\pattern.png' xtiled='true' ytiled='true'";
    while (made < count) {
        auto* row = With(new ui::HBox, {{L"childmargin", L"2"}, {L"bkcolor", L"bar"}});
        ++made;
        auto* tiles = With(new ui::TileBox, {{L"itemsize", L"60,12"}, {L"width", L"600"}});
        ++made;
        for (int i = 0; i < 10 && made < count; ++i, ++made) {
            tiles->Add(With(new ui::Control, {{L"bkimage", i % 2 ? panel : pattern}, {L"bordersize", L"1"},
                                             {L"bordercolor", L"gold"}}));
        }
        row->Add(tiles);
        for (int i = 0; i < 6 && made < count; ++i, ++made) {
            row->Add(With(Text(L"Item " + std::to_wstring(made), L"body", 0xFFFFFFFF, DT_SINGLELINE | DT_VCENTER),
                          {{L"width", L"100"}}));
        }
        root->Add(row);
    }
    return root;
}

}  // namespace showcase
