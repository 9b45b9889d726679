// The font table of the global manager: the faces behind "system" and "button", their probes,
// and fonts made as a GDI font and a GDI+ font of the same face.
#include <algorithm>
#include <cwchar>
#include <map>
#include <memory>
#include <string>

#include "ui/dpi_manager.h"
#include "ui/global_manager.h"
#include "ui/render/gdiplus_headers.h"
#include "ui/render_session.h"

namespace ui {
namespace {

enum FaceSlot { kRegular, kBold, kItalic, kSlotCount };

struct FaceSet {
    std::wstring faces[kSlotCount];
    bool usable[kSlotCount] = {};  // the face could be made into a GDI+ font when set
};

struct FontTable {
    FaceSet system;
    FaceSet button;
    std::map<std::wstring, std::unique_ptr<FontInfo>> fonts;
    std::wstring defaultId;
};

FontTable& Table() {
    static FontTable table;
    return table;
}

void CopyFaceName(const std::wstring& face, LOGFONTW& font) {
    wcsncpy_s(font.lfFaceName, LF_FACESIZE, face.c_str(), _TRUNCATE);
}

bool ProbeFace(const std::wstring& face, FaceSlot slot) {
    if (face.empty()) return false;
    LOGFONTW logFont{};
    CopyFaceName(face, logFont);
    if (slot == kBold) logFont.lfWeight = FW_BOLD;
    if (slot == kItalic) logFont.lfItalic = TRUE;
    Gdiplus::Font font(GetFontDc(), &logFont);
    return font.GetLastStatus() == Gdiplus::Ok;
}

void SetFaces(FaceSet& set, const std::wstring& regular, const std::wstring& bold, const std::wstring& italic) {
    const std::wstring* faces[kSlotCount] = {&regular, &bold, &italic};
    for (int slot = 0; slot < kSlotCount; ++slot) {
        set.faces[slot] = *faces[slot];
        set.usable[slot] = ProbeFace(set.faces[slot], static_cast<FaceSlot>(slot));
    }
}

std::wstring FallbackFace() { return IsWindowsVersionAtLeast(0) ? L"\x5FAE\x8F6F\x96C5\x9ED1" : L"Arial"; }

// The face a font name stands for: "system" and "button" name the installed faces, falling
// back to the platform's UI face when that face failed its probe.
std::wstring ResolveFace(const std::wstring& name, bool bold, bool italic) {
    const FontTable& table = Table();
    const FaceSet* set = name == L"system" ? &table.system : name == L"button" ? &table.button : nullptr;
    if (!set) return name;
    const FaceSlot slot = bold ? kBold : italic ? kItalic : kRegular;
    return set->usable[slot] ? set->faces[slot] : FallbackFace();
}

struct MadeFont {
    HFONT hFont = nullptr;
    std::unique_ptr<Gdiplus::Font> font;
    std::wstring face;
};

MadeFont MakeFromLogFont(const LOGFONTW& logFont) {
    MadeFont made;
    made.hFont = ::CreateFontIndirectW(&logFont);
    made.font = std::make_unique<Gdiplus::Font>(GetFontDc(), &logFont);
    made.face = logFont.lfFaceName;
    if (made.hFont && made.font->GetLastStatus() == Gdiplus::Ok) return made;
    if (made.hFont) ::DeleteObject(made.hFont);
    return {};
}

// The standard sans-serif family at the size in points, its GDI font read back from it.
MadeFont MakeSansSerif(int points, bool bold, bool italic, bool underline) {
    const INT style = (bold ? Gdiplus::FontStyleBold : 0) | (italic ? Gdiplus::FontStyleItalic : 0) |
                      (underline ? Gdiplus::FontStyleUnderline : 0);
    MadeFont made;
    made.font = std::make_unique<Gdiplus::Font>(Gdiplus::FontFamily::GenericSansSerif(),
                                                static_cast<Gdiplus::REAL>(points), style, Gdiplus::UnitPoint);
    if (made.font->GetLastStatus() != Gdiplus::Ok) return {};
    LOGFONTW logFont{};
    Gdiplus::Graphics graphics(GetFontDc());
    if (made.font->GetLogFontW(&graphics, &logFont) != Gdiplus::Ok) return {};
    made.hFont = ::CreateFontIndirectW(&logFont);
    if (!made.hFont) return {};
    made.face = logFont.lfFaceName;
    return made;
}

}  // namespace

void GlobalManager::SetFontFaces(const FontFaces& faces) {
    StartupRender();  // the probes need GDI+
    FontTable& table = Table();
    SetFaces(table.system, faces.systemRegular, faces.systemBold, faces.systemItalic);
    SetFaces(table.button, faces.buttonRegular, faces.buttonBold, faces.buttonItalic);
}

FontFaces GlobalManager::GetFontFaces() {
    const FontTable& table = Table();
    return FontFaces{table.system.faces[kRegular], table.system.faces[kBold], table.system.faces[kItalic],
                     table.button.faces[kRegular], table.button.faces[kBold], table.button.faces[kItalic]};
}

HFONT GlobalManager::AddFont(const std::wstring& id, const std::wstring& name, int size, bool bold, bool underline,
                             bool italic, bool isDefault) {
    FontTable& table = Table();
    const std::wstring key = id.empty() ? std::to_wstring(table.fonts.size()) : id;

    LOGFONTW logFont{};
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(logFont), &logFont);
    CopyFaceName(ResolveFace(name, bold, italic), logFont);
    logFont.lfCharSet = DEFAULT_CHARSET;
    const int pixels = DpiManager::GetInstance()->ScaleInt(size);
    logFont.lfHeight = -pixels;
    // Weights end at 1000.
    if (bold) logFont.lfWeight = std::min<LONG>(logFont.lfWeight + FW_BOLD, FW_HEAVY);
    if (underline) logFont.lfUnderline = TRUE;
    if (italic) logFont.lfItalic = TRUE;

    MadeFont made = MakeFromLogFont(logFont);
    if (!made.hFont) made = MakeSansSerif(size, bold, italic, underline);
    if (!made.hFont) return nullptr;

    if (isDefault) table.defaultId = key;
    const auto existing = table.fonts.find(key);
    if (existing != table.fonts.end()) {
        // The first font of an id stays; the new one is not kept.
        ::DeleteObject(made.hFont);
        return existing->second->hFont;
    }
    auto info = std::make_unique<FontInfo>();
    info->hFont = made.hFont;
    info->faceName = made.face;
    info->size = pixels;
    info->bold = bold;
    info->underline = underline;
    info->italic = italic;
    info->font = std::move(made.font);
    const HFONT handle = info->hFont;
    table.fonts.emplace(key, std::move(info));
    return handle;
}

FontInfo* GlobalManager::GetFont(const std::wstring& id) {
    FontTable& table = Table();
    const auto found = table.fonts.find(id.empty() ? table.defaultId : id);
    return found == table.fonts.end() ? nullptr : found->second.get();
}

void GlobalManager::RemoveAllFonts() { Table().fonts.clear(); }

}  // namespace ui
