// The life of a real window: creation, the framework's window list and its message, the skin
// window settings, centring, showing, closing and the window-close event.
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/launcher_messages.h"
#include "tests/ui/dpi_scope.h"
#include "tests/ui/window_test_support.h"
#include "ui/box.h"
#include "ui/global_manager.h"
#include "ui/language_table.h"
#include "ui/shadow_box.h"

namespace {

using window_test::TestWindow;

SIZE WindowSize(HWND hwnd) {
    RECT rect{};
    ::GetWindowRect(hwnd, &rect);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

TEST(WindowLifecycle, StackChangedGoesToAJoiningWindowAndToTheNewestRemainingOne) {
    auto first = std::make_unique<TestWindow>();
    auto second = std::make_unique<TestWindow>();
    auto third = std::make_unique<TestWindow>();
    for (TestWindow* window : {first.get(), second.get(), third.get()}) {
        ASSERT_TRUE(window->Open(false, RECT{0, 0, 100, 100}));
        EXPECT_EQ(window->Count(kMsgWindowStackChanged), 1);
    }
    second.reset();  // not the newest: the newest hears of it
    EXPECT_EQ(third->Count(kMsgWindowStackChanged), 2);
    EXPECT_EQ(first->Count(kMsgWindowStackChanged), 1);
    third.reset();
    EXPECT_EQ(first->Count(kMsgWindowStackChanged), 2);

    // A window that never joined the list (no handle) tells nobody when it goes.
    { ui::Window scratch; }
    EXPECT_EQ(first->Count(kMsgWindowStackChanged), 2);
    first.reset();
    EXPECT_TRUE(ui::GlobalManager::GetWindowList().empty());
}

TEST(WindowLifecycle, WindowCloseHandlersRunOnTheFinalMessageThenTheCatchAllOnes) {
    TestWindow window;
    ASSERT_TRUE(window.Open(false, RECT{0, 0, 100, 100}));
    std::vector<std::string> log;
    const auto record = [&log](std::string name, bool result) {
        return [&log, name, result](ui::EventArgs* args) {
            log.push_back(name + (args->type == ui::kEventWindowClose ? "" : "?"));
            return result;
        };
    };
    window.AttachWindowEvent(ui::kEventWindowClose, record("close", false));
    window.AttachWindowEvent(ui::kEventWindowClose, record("skipped", true));  // after a false
    window.AttachWindowEvent(ui::kEventAll, record("all", true));
    ::DestroyWindow(window.GetHWND());
    EXPECT_EQ(log, (std::vector<std::string>{"close", "all"}));
    EXPECT_EQ(window.GetHWND(), nullptr);
    EXPECT_FALSE(window.ShowWindow(true, false));  // a dead window does nothing
    window.Close(1);
}

TEST(WindowLifecycle, CloseFadesTheRootOutAndClosesWithTheCodeLater) {
    TestWindow window;
    ASSERT_TRUE(window.Open(false, RECT{0, 0, 100, 100}));
    window.AttachRoot(new ui::Box(nullptr));
    ASSERT_TRUE(window_test::PumpUntilLaidOut(window));
    // The first paint started the fade-in of the whole window.
    ASSERT_TRUE(ui_test::PumpMessagesUntil([&] { return window.GetWindowAlpha() == 255; }));

    window.Close(7);
    window_test::PumpPending();
    EXPECT_EQ(window.Count(WM_CLOSE), 0);  // 300 ms away
    EXPECT_LT(window.GetWindowAlpha(), 255);
    ASSERT_TRUE(ui_test::PumpMessagesUntil([&] { return window.Count(WM_CLOSE) == 1; }));
    EXPECT_EQ(window.Last(WM_CLOSE).wParam, 7u);
    EXPECT_EQ(window.GetHWND(), nullptr);  // the default procedure destroyed it

    // Without a root the close is posted at once. The window leaves its owner as it is: a
    // modal form that disabled its owner enables it again itself.
    TestWindow owner(L"UiWindowTestOwner");
    ASSERT_TRUE(owner.Open(false, RECT{0, 0, 100, 100}));
    TestWindow bare;
    ASSERT_TRUE(bare.Open(false, RECT{0, 0, 100, 100}, owner.GetHWND()));
    ::EnableWindow(owner.GetHWND(), FALSE);
    bare.Close(3);
    ASSERT_TRUE(ui_test::PumpMessagesUntil([&] { return bare.Count(WM_CLOSE) == 1; }, 200));
    EXPECT_EQ(bare.Last(WM_CLOSE).wParam, 3u);
    EXPECT_FALSE(::IsWindowEnabled(owner.GetHWND()));
}

TEST(WindowLifecycle, SuperClassGetsTheUnhandledMessages) {
    struct Static : TestWindow {
        Static() : TestWindow(L"UiWindowTestStatic") {}
        std::wstring GetSuperClassName() const override { return L"STATIC"; }
    } window;
    ASSERT_TRUE(window.Open(false, RECT{0, 0, 100, 30}));
    ::SetWindowTextW(window.GetHWND(), L"text");  // kept by the static control's procedure
    wchar_t text[16] = {};
    ::GetWindowTextW(window.GetHWND(), text, 16);
    EXPECT_STREQ(text, L"text");
    EXPECT_EQ(window.Count(kMsgWindowStackChanged), 1);

    struct Missing : TestWindow {
        Missing() : TestWindow(L"UiWindowTestMissing") {}
        std::wstring GetSuperClassName() const override { return L"NoSuchWindowClass"; }
    } missing;
    EXPECT_EQ(missing.Create(nullptr, L"", WS_POPUP, 0, false), nullptr);
}

TEST(WindowLifecycle, WindowElementSettings) {
    struct Case {
        const char* name;
        std::vector<std::pair<std::wstring, std::wstring>> attributes;
        SIZE initSize;
        SIZE minInfo;
    } const cases[] = {
        {"default shadow", {{L"size", L"1340,750"}, {L"caption", L"0,0,0,30"}}, {1368, 778}, {0, 0}},
        {"shadow off first", {{L"shadowattached", L"false"}, {L"size", L"504,320"}}, {504, 320}, {0, 0}},
        {"shadow off after the size", {{L"size", L"504,320"}, {L"shadowattached", L"false"}}, {532, 348}, {0, 0}},
        {"limits get the shadow", {{L"mininfo", L"200,0"}, {L"size", L"300,200"}}, {328, 228}, {228, 0}},
        {"wider shadow", {{L"shadowcorner", L"10,20,30,40"}, {L"size", L"100,100"}}, {140, 160}, {0, 0}},
        {"unknown names ignored", {{L"sizes", L"9,9"}, {L"size", L"10,10"}}, {38, 38}, {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestWindow window;
        ASSERT_TRUE(window.Open(false, RECT{0, 0, 50, 50}));
        for (const auto& [name, value] : c.attributes) window.SetWindowAttribute(name, value);
        EXPECT_EQ(window.GetInitSize().cx, c.initSize.cx);
        EXPECT_EQ(window.GetInitSize().cy, c.initSize.cy);
        EXPECT_EQ(window.GetMinInfo().cx, c.minInfo.cx);
        EXPECT_EQ(window.GetMinInfo().cy, c.minInfo.cy);
        // Without a root the window takes the size at once.
        EXPECT_EQ(WindowSize(window.GetHWND()).cx, c.initSize.cx);
        EXPECT_EQ(WindowSize(window.GetHWND()).cy, c.initSize.cy);
    }
}

TEST(WindowLifecycle, WindowElementSettingsScaleForDpi) {
    DpiScope dpi(150);
    TestWindow window;
    ASSERT_TRUE(window.Open(false, RECT{0, 0, 50, 50}));
    const RECT padding = window.GetShadowPadding();  // 14 scaled at construction
    EXPECT_EQ(padding.left, 21);
    EXPECT_EQ(padding.bottom, 21);
    window.SetWindowAttribute(L"caption", L"1,2,3,30");
    EXPECT_EQ(window.GetCaptionRect().right, 5);
    EXPECT_EQ(window.GetCaptionRect().bottom, 45);
    window.SetWindowAttribute(L"sizebox", L"4,4,4,4");  // never scaled
    EXPECT_EQ(window.GetSizeBox().left, 4);
    window.SetWindowAttribute(L"shadowcorner", L"10,20,30,40");
    EXPECT_EQ(window.GetShadowPadding().left, 15);
    EXPECT_EQ(window.GetShadowPadding().bottom, 60);
    EXPECT_EQ(window.GetShadow().unscaledPadding.bottom, 40);
    window.SetWindowAttribute(L"roundcorner", L"4,6");
    EXPECT_EQ(window.GetRoundCorner().cy, 9);
    window.SetWindowAttribute(L"maxinfo", L"100,0");
    EXPECT_EQ(window.GetMaxInfo().cx, 150 + 15 + 45);
    EXPECT_EQ(window.GetMaxInfo().cy, 0);
}

TEST(WindowLifecycle, HeightPercentTakesTheWorkAreaWithinTheLimits) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const int workHeight = monitor.rcWork.bottom - monitor.rcWork.top;

    TestWindow window;
    ASSERT_TRUE(window.Open(false, RECT{0, 0, 50, 50}));
    window.SetWindowAttribute(L"heightpercent", L"0.5");
    EXPECT_EQ(window.GetInitSize().cx, 28);  // no width yet: the shadow's
    EXPECT_EQ(window.GetInitSize().cy, workHeight / 2 + 28);

    window.SetWindowAttribute(L"size", L"300,100");
    window.SetWindowAttribute(L"maxinfo", L"0,100");
    window.SetWindowAttribute(L"heightpercent", L"0.9");
    EXPECT_EQ(window.GetInitSize().cx, 328);
    EXPECT_EQ(window.GetInitSize().cy, 128);
    EXPECT_EQ(window.GetDesignSize().cy, 128);  // the size before
}

TEST(WindowLifecycle, ExpandTakesTheOwnersSizeAndKeepsTheDialogAsDesignSize) {
    TestWindow owner;
    ASSERT_TRUE(owner.Open(false, RECT{100, 100, 500, 400}));
    TestWindow dialog(L"UiWindowTestDialog");
    ASSERT_TRUE(dialog.Open(false, RECT{0, 0, 50, 50}, owner.GetHWND()));
    dialog.SetWindowAttribute(L"shadowattached", L"false");
    dialog.SetWindowAttribute(L"size", L"200,100");
    dialog.SetWindowAttribute(L"expand", L"0,0");
    EXPECT_EQ(dialog.GetInitSize().cx, 400 - 28);
    EXPECT_EQ(dialog.GetInitSize().cy, 300 - 28);
    EXPECT_EQ(dialog.GetDesignSize().cx, 200);
    EXPECT_EQ(dialog.GetDesignSize().cy, 100);
    EXPECT_EQ(WindowSize(dialog.GetHWND()).cx, 372);

    TestWindow stray(L"UiWindowTestStray");  // no owner: nothing changes
    ASSERT_TRUE(stray.Open(false, RECT{0, 0, 50, 50}));
    stray.SetWindowAttribute(L"expand", L"0,0");
    EXPECT_EQ(stray.GetInitSize().cx, 0);
}

TEST(WindowLifecycle, TextIdSetsTheWindowText) {
    ui::LanguageTable::GetInstance().ParseLines({L"STRING_WINDOW_TITLE=Tarvenor"});
    TestWindow window;
    ASSERT_TRUE(window.Open(false, RECT{0, 0, 50, 50}));
    window.SetWindowAttribute(L"textid", L"STRING_WINDOW_TITLE");
    wchar_t text[32] = {};
    ::GetWindowTextW(window.GetHWND(), text, 32);
    EXPECT_STREQ(text, L"Tarvenor");
    ui::LanguageTable::GetInstance().Clear();
}

TEST(WindowLifecycle, CentresOverTheOwnerOrInTheWorkArea) {
    TestWindow owner;
    ASSERT_TRUE(owner.Open(false, RECT{100, 100, 501, 401}));
    TestWindow dialog(L"UiWindowTestDialog");
    ASSERT_TRUE(dialog.Open(false, RECT{0, 0, 200, 100}, owner.GetHWND()));
    dialog.CenterWindow();
    RECT rect{};
    ::GetWindowRect(dialog.GetHWND(), &rect);
    EXPECT_EQ(rect.left, (100 + 501) / 2 - 100);
    EXPECT_EQ(rect.top, (100 + 401) / 2 - 50);
    EXPECT_EQ(rect.right - rect.left, 200);

    TestWindow alone(L"UiWindowTestAlone");
    ASSERT_TRUE(alone.Open(false, RECT{5000, 5000, 5200, 5100}));
    alone.CenterWindow();
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(alone.GetHWND(), MONITOR_DEFAULTTONEAREST), &monitor);
    ::GetWindowRect(alone.GetHWND(), &rect);
    EXPECT_EQ(rect.left, (monitor.rcWork.left + monitor.rcWork.right) / 2 - 100);
    EXPECT_EQ(rect.top, (monitor.rcWork.top + monitor.rcWork.bottom) / 2 - 50);
}

TEST(WindowLifecycle, MaximisedWindowDropsItsShadowUntilRestored) {
    TestWindow window;
    ASSERT_TRUE(window.Open(false, RECT{0, 0, 200, 200}));
    ui::Control* content = new ui::Box(nullptr);
    window.AttachRoot(static_cast<ui::Box*>(window.GetShadow().WrapRoot(content)));
    ui::ShadowBox* box = window.GetShadow().box;
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(window.GetRoot(), box);
    EXPECT_EQ(box->GetItemAt(0), content);
    EXPECT_EQ(box->GetLayout()->GetPadding().top, 14);

    ::SendMessageW(window.GetHWND(), WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(200, 200));
    EXPECT_EQ(window.GetShadowPadding().left, 0);
    EXPECT_EQ(box->GetLayout()->GetPadding().left, 0);
    ::SendMessageW(window.GetHWND(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(200, 200));
    EXPECT_EQ(window.GetShadowPadding().left, 14);
    EXPECT_EQ(box->GetLayout()->GetPadding().right, 14);

    window.AttachRoot(new ui::Box(nullptr));  // the shadow box goes with its tree
    window_test::PumpPending();
    EXPECT_EQ(window.GetShadow().box, nullptr);
    ::SendMessageW(window.GetHWND(), WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(200, 200));
}

}  // namespace
