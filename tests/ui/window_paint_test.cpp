// What a real window paints into its own bitmap: the tree, the shadow, the alpha repair of a
// layered window in each of its cases, partial repaints and the auto-sized root.
#include <memory>

#include <gtest/gtest.h>

#include "tests/ui/support/render_snapshot.h"
#include "tests/ui/window_test_support.h"
#include "ui/box.h"
#include "ui/global_manager.h"
#include "ui/render/render_context.h"
#include "ui/render/render_factory.h"
#include "ui/shadow_box.h"

namespace {

using window_test::TestWindow;

constexpr COLORREF kFill = RGB(0x20, 0x40, 0xC0);

// Fills its rectangle with plain GDI, which leaves the alpha bytes at 0: only the window's
// alpha repair makes such drawing opaque.
class GdiFill : public ui::Control {
public:
    explicit GdiFill(COLORREF color) : color_(color) {}
    void Paint(ui::IRenderContext* context, const RECT& dirty) override {
        RECT area{};
        if (!::IntersectRect(&area, &dirty, &rect_)) return;
        const HBRUSH brush = ::CreateSolidBrush(color_);
        ::FillRect(context->GetDC(), &area, brush);
        ::DeleteObject(brush);
    }
    void SetColor(COLORREF color) { color_ = color; }

private:
    COLORREF color_;
};

class WindowPaint : public testing::Test {
protected:
    void SetUp() override {
        ui::GlobalManager::StartupRender();
        ui::GlobalManager::AddTextColor(L"window_test_shadow", 0x40000000);
    }

    // Attaches root and pumps until the first paint and the fade-in (which repaints the whole
    // window) are done.
    static void AttachAndPaint(TestWindow& window, ui::Box* root) {
        window.AttachRoot(root);
        window.InvalidateRect(RECT{0, 0, 10000, 10000});
        ASSERT_TRUE(window_test::PumpUntilLaidOut(window));
        ASSERT_TRUE(ui_test::PumpMessagesUntil([&window] { return window.GetWindowAlpha() == 255; }));
        window_test::PumpPending();
    }

    // A plain box whose one child fills it.
    static ui::Box* FilledRoot(GdiFill* fill) {
        auto* root = new ui::Box(nullptr);
        root->Add(fill);
        return root;
    }

    static BYTE Alpha(ui::Window& window, int x, int y) { return ui_test::PixelAt(*window.GetRenderContext(), x, y).a; }

    struct AlphaAt {
        int x, y;
        BYTE alpha;
    };
    static void ExpectAlphas(ui::Window& window, std::initializer_list<AlphaAt> points) {
        for (const AlphaAt& point : points) {
            EXPECT_EQ(Alpha(window, point.x, point.y), point.alpha) << "at " << point.x << "," << point.y;
        }
    }
};

TEST_F(WindowPaint, ShadowKeepsItsAlphaAndTheContentBecomesOpaque) {
    TestWindow window;
    ASSERT_TRUE(window.Open(true, RECT{200, 200, 400, 300}));
    auto* content = new GdiFill(kFill);
    auto* root = static_cast<ui::Box*>(window.GetShadow().WrapRoot(content));
    root->SetBkImage(L"");
    root->SetBkColor(L"window_test_shadow");
    AttachAndPaint(window, root);
    ui::IRenderContext& bitmap = *window.GetRenderContext();
    ASSERT_EQ(bitmap.GetWidth(), 200);
    ui_test::WriteRenderContextPng(bitmap, L"window_shadow.png", 2);

    ExpectAlphas(window, {{0, 0, 0x40}, {100, 3, 0x40}});  // shadow corner and band
    const ui_test::Pixel middle = ui_test::PixelAt(bitmap, 100, 50);
    EXPECT_EQ(middle.a, 255);
    EXPECT_EQ(middle.b, 0xC0);
    EXPECT_EQ(middle.r, 0x20);
    // The corner squares are one pixel wider than the shadow: the content's own corner pixel
    // keeps what the shadow gave it.
    EXPECT_NE(Alpha(window, 14, 14), 255);
    EXPECT_NE(Alpha(window, 185, 85), 255);
    ExpectAlphas(window, {{15, 15, 255}, {15, 14, 255}, {184, 84, 255}});
}

TEST_F(WindowPaint, AlphaFixCornerLeavesItsBandAlone) {
    TestWindow window;
    ASSERT_TRUE(window.Open(true, RECT{200, 200, 400, 300}));
    window.SetWindowAttribute(L"shadowattached", L"false");
    window.SetWindowAttribute(L"alphafixcorner", L"0,0,0,10");
    AttachAndPaint(window, FilledRoot(new GdiFill(kFill)));
    ExpectAlphas(window, {{100, 89, 255}, {100, 90, 0}, {0, 0, 255}});
}

TEST_F(WindowPaint, ExpandedDialogIsOpaqueOnlyInItsDesignRectangle) {
    TestWindow owner;
    ASSERT_TRUE(owner.Open(true, RECT{100, 100, 500, 400}));
    TestWindow dialog(L"UiWindowTestDialog");
    ASSERT_TRUE(dialog.Open(true, RECT{0, 0, 50, 50}, owner.GetHWND()));
    for (const auto& [name, value] : {std::pair<const wchar_t*, const wchar_t*>{L"shadowattached", L"false"},
                                      {L"edging", L"2,3,4,5"},
                                      {L"size", L"200,100"},
                                      {L"expand", L"0,0"}}) {
        dialog.SetWindowAttribute(name, value);
    }
    AttachAndPaint(dialog, FilledRoot(new GdiFill(kFill)));
    ASSERT_EQ(dialog.GetRenderContext()->GetWidth(), 372);
    // 200 x 100 centred in 372 x 272, less the edging: (88, 89) to (282, 181).
    ExpectAlphas(dialog, {{88, 89, 255}, {281, 180, 255}, {87, 89, 0}, {88, 88, 0}, {282, 180, 0}, {281, 181, 0}});
}

TEST_F(WindowPaint, RepaintDrawsOnlyTheInvalidatedRectangle) {
    TestWindow window;
    ASSERT_TRUE(window.Open(true, RECT{200, 200, 400, 300}));
    window.SetWindowAttribute(L"shadowattached", L"false");
    window.SetWindowAttribute(L"alphafixcorner", L"1,1,1,1");
    auto* fill = new GdiFill(kFill);
    AttachAndPaint(window, FilledRoot(fill));
    fill->SetColor(RGB(0xFF, 0, 0));
    window.InvalidateRect(RECT{10, 10, 30, 30});
    window_test::PumpPending();
    const ui_test::Pixel inside = ui_test::PixelAt(*window.GetRenderContext(), 20, 20);
    const ui_test::Pixel outside = ui_test::PixelAt(*window.GetRenderContext(), 40, 20);
    EXPECT_EQ(inside.r, 0xFF);
    EXPECT_EQ(inside.a, 255);
    EXPECT_EQ(outside.b, 0xC0);
    EXPECT_EQ(outside.a, 255);
}

TEST_F(WindowPaint, AutoSizedRootSizesTheWindowWithinItsLimits) {
    struct Case {
        const char* name;
        int minWidth;
        SIZE want;
    } const cases[] = {
        {"estimate", -1, {120, 80}},
        {"raised to the minimum width", 150, {150, 80}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestWindow window;
        ASSERT_TRUE(window.Open(false, RECT{0, 0, 400, 300}));
        auto* root = new ui::Box(nullptr);
        root->SetFixedWidth(ui::kSizeAuto, false, false);
        root->SetFixedHeight(ui::kSizeAuto, false);
        if (c.minWidth > 0) root->SetAttribute(L"minwidth", std::to_wstring(c.minWidth));
        root->Add(new window_test::RecordingControl(120, 80));
        AttachAndPaint(window, root);
        RECT rect{};
        ::GetWindowRect(window.GetHWND(), &rect);
        EXPECT_EQ(rect.right - rect.left, c.want.cx);
        EXPECT_EQ(rect.bottom - rect.top, c.want.cy);
        EXPECT_EQ(window.GetRenderContext()->GetWidth(), c.want.cx);
    }
}

TEST(ShadowBox, PaintsTheShadowOnlyWhenTheRepaintReachesIt) {
    ui::GlobalManager::StartupRender();
    ui::GlobalManager::AddTextColor(L"window_test_red", 0xFFFF0000);
    std::unique_ptr<ui::IRenderContext> context(ui::GlobalManager::GetRenderFactory()->CreateRenderContext());
    ASSERT_TRUE(context->Resize(100, 100));
    ui::ShadowBox box;
    box.GetLayout()->SetPadding(RECT{10, 10, 10, 10}, false);
    box.SetBkColor(L"window_test_red");
    box.SetPos(RECT{0, 0, 100, 100});
    box.Paint(context.get(), RECT{10, 10, 90, 90});  // wholly inside the content
    EXPECT_EQ(ui_test::PixelAt(*context, 50, 50).a, 0);
    box.Paint(context.get(), RECT{9, 10, 90, 90});
    EXPECT_EQ(ui_test::PixelAt(*context, 50, 50).Argb(), 0xFFFF0000u);
}

}  // namespace
