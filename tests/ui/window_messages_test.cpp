// Window messages into control events, on a real window: hover, clicks, capture, focus and
// Tab order, message filters, touch and pointer contacts.
#include <memory>

#include <gtest/gtest.h>

#include "tests/ui/window_test_support.h"
#include "ui/box.h"
#include "ui/hbox.h"
#include "ui/message_filter.h"

namespace {

using window_test::At;
using window_test::RecordingControl;
using window_test::TestWindow;

// Pointer messages of Windows 8, which the build does not target.
constexpr UINT kPointerDown = 0x0246;
constexpr UINT kPointerUp = 0x0247;

// Three 60 x 40 controls side by side at the top left of a 300 x 100 window.
class WindowMessages : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(window.Open(false, RECT{100, 100, 400, 200}));
        auto* root = new ui::HBox;
        for (RecordingControl* control : {a, b, c}) root->Add(control);
        window.AttachRoot(root);
        ASSERT_TRUE(window_test::PumpUntilLaidOut(window));
    }

    void Post(UINT message, WPARAM wParam, LPARAM lParam) {
        ::PostMessageW(window.GetHWND(), message, wParam, lParam);
        window_test::PumpPending();
    }

    // Tab or Shift+Tab as the keyboard would send it.
    void Tab(bool shift) {
        BYTE keys[256] = {};
        ::GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        ::SetKeyboardState(keys);
        Post(WM_KEYDOWN, VK_TAB, 0);
        keys[VK_SHIFT] = 0;
        ::SetKeyboardState(keys);
    }

    TestWindow window;
    RecordingControl* a = new RecordingControl(60, 40);
    RecordingControl* b = new RecordingControl(60, 40);
    RecordingControl* c = new RecordingControl(60, 40);
};

// The real cursor is elsewhere (and shared with other tests), so Wine's leave tracking may end
// a hover at any time: the checks read the events, and the hover only after a leave.
TEST_F(WindowMessages, HoverEntersAndLeavesControlsAndEndsWhenTheMouseLeaves) {
    Post(WM_MOUSEMOVE, 0, At(10, 10));
    EXPECT_EQ(a->TypesAmong({ui::kEventMouseEnter, ui::kEventMouseMove}),
              (std::vector<int>{ui::kEventMouseEnter, ui::kEventMouseMove}));

    Post(WM_MOUSEMOVE, 0, At(70, 10));
    EXPECT_TRUE(a->Saw(ui::kEventMouseLeave));
    EXPECT_EQ(b->TypesAmong({ui::kEventMouseEnter, ui::kEventMouseMove}),
              (std::vector<int>{ui::kEventMouseEnter, ui::kEventMouseMove}));
    EXPECT_FALSE(c->Saw(ui::kEventMouseEnter));

    Post(WM_MOUSELEAVE, 0, 0);  // the leave becomes a move to (-1, -1)
    EXPECT_EQ(window.GetHoverControl(), nullptr);
    EXPECT_TRUE(b->Saw(ui::kEventMouseLeave));
}

TEST_F(WindowMessages, ClickActivatesOnlyWhenTheButtonComesUpOnTheSameControl) {
    Post(WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
    EXPECT_EQ(window.GetFocus(), a);
    Post(WM_LBUTTONUP, 0, At(12, 12));
    EXPECT_EQ(a->activations, 1);

    // Pressed on a, released on b: the up goes to a (the capture), nobody is clicked.
    Post(WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
    Post(WM_MOUSEMOVE, MK_LBUTTON, At(70, 10));
    EXPECT_EQ(a->events.back().type, ui::kEventMouseMove);  // moves go to the capture
    Post(WM_LBUTTONUP, 0, At(70, 10));
    EXPECT_EQ(a->activations, 1);
    EXPECT_EQ(b->activations, 0);
    EXPECT_FALSE(b->Saw(ui::kEventMouseButtonUp));

}

TEST_F(WindowMessages, RightClickDeliversTheMenuEventToTheSameControlThenReleasesIt) {
    Post(WM_RBUTTONDOWN, MK_RBUTTON, At(70, 10));
    Post(WM_RBUTTONUP, 0, At(70, 10));  // the default procedure makes a WM_CONTEXTMENU of it
    EXPECT_EQ(b->TypesAmong({ui::kEventMouseRightButtonDown, ui::kEventMouseRightButtonUp, ui::kEventInternalMenu}),
              (std::vector<int>{ui::kEventMouseRightButtonDown, ui::kEventMouseRightButtonUp,
                                ui::kEventInternalMenu}));
    ASSERT_NE(b->First(ui::kEventInternalMenu), nullptr);
    EXPECT_EQ(b->First(ui::kEventInternalMenu)->lParam, reinterpret_cast<LPARAM>(b));
    // The capture is gone: moves go to the control under the mouse again.
    const std::size_t moves = b->TypesAmong({ui::kEventMouseMove}).size();
    Post(WM_MOUSEMOVE, 0, At(130, 10));
    EXPECT_TRUE(c->Saw(ui::kEventMouseMove));
    EXPECT_EQ(b->TypesAmong({ui::kEventMouseMove}).size(), moves);
}

TEST_F(WindowMessages, TabMovesTheFocusAndWrapsBothWays) {
    window.SetFocusControl(a);
    Tab(false);
    EXPECT_EQ(window.GetFocus(), b);
    Tab(false);
    EXPECT_EQ(window.GetFocus(), c);
    Tab(false);
    EXPECT_EQ(window.GetFocus(), a);  // forward from the last wraps to the first
    Tab(true);
    EXPECT_EQ(window.GetFocus(), c);  // backward from the first wraps to the last
    Tab(true);
    EXPECT_EQ(window.GetFocus(), b);

    // Hidden and disabled controls are no tab stops.
    c->SetVisible(false);
    b->SetEnabled(false);
    window.SetFocusControl(a);
    Tab(false);
    EXPECT_EQ(window.GetFocus(), a);
}

TEST_F(WindowMessages, TabBeforeTheFirstLayoutOnlyRepaints) {
    auto* root = new ui::HBox;
    auto* first = new RecordingControl(60, 40);
    auto* second = new RecordingControl(60, 40);
    root->Add(first);
    root->Add(second);
    window.AttachRoot(root);
    window.SetFocusControl(first);
    ::ValidateRect(window.GetHWND(), nullptr);

    bool handled = false;
    window.DispatchMessage(WM_KEYDOWN, VK_TAB, 0, handled);
    EXPECT_EQ(window.GetFocus(), first);
    RECT update{};
    EXPECT_TRUE(::GetUpdateRect(window.GetHWND(), &update, FALSE));

    ASSERT_TRUE(window_test::PumpUntilLaidOut(window));
    Tab(false);
    EXPECT_EQ(window.GetFocus(), second);
}

TEST_F(WindowMessages, KeysGoToTheFocusAndTheKeyUpToWhoGotTheKeyDown) {
    // Sent, not posted: the pump's TranslateMessage would add characters of its own.
    const HWND hwnd = window.GetHWND();
    window.SetFocusControl(a);
    ::SendMessageW(hwnd, WM_KEYDOWN, 'X', 0);
    ::SendMessageW(hwnd, WM_CHAR, 'x', 0);
    window.SetFocusControl(b);  // the key comes up after the focus moved
    ::SendMessageW(hwnd, WM_KEYUP, 'X', 0);
    EXPECT_EQ(a->TypesAmong({ui::kEventKeyDown, ui::kEventChar, ui::kEventKeyUp}),
              (std::vector<int>{ui::kEventKeyDown, ui::kEventChar, ui::kEventKeyUp}));
    EXPECT_EQ(a->First(ui::kEventChar)->wParam, static_cast<WPARAM>('x'));
    EXPECT_FALSE(b->Saw(ui::kEventKeyUp));
}

TEST_F(WindowMessages, HoverShowsTheToolTipOfTheControlUnderTheMouse) {
    ::LoadLibraryW(L"comctl32.dll");  // registers the tooltip class, as the framework's start-up does
    b->SetToolTipText(L"second");
    Post(WM_MOUSEMOVE, 0, At(70, 10));
    Post(WM_MOUSEHOVER, 0, At(70, 10));
    HWND tip = nullptr;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hwnd, LPARAM found) {
            wchar_t name[32] = {};
            ::GetClassNameW(hwnd, name, 32);
            if (std::wstring(name) == TOOLTIPS_CLASSW) *reinterpret_cast<HWND*>(found) = hwnd;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&tip));
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(::GetWindow(tip, GW_OWNER), window.GetHWND());
    wchar_t text[32] = {};
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = window.GetHWND();
    tool.uId = reinterpret_cast<UINT_PTR>(window.GetHWND());
    tool.lpszText = text;
    ::SendMessageW(tip, TTM_GETTEXTW, 32, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, L"second");
}

TEST_F(WindowMessages, CommandAndNotifyMessagesAreReflectedToTheirSender) {
    TestWindow sender(L"UiWindowTestSender");
    ASSERT_TRUE(sender.Open(false, RECT{0, 0, 20, 20}));
    const HWND hwnd = window.GetHWND();
    ::SendMessageW(hwnd, WM_COMMAND, 5, reinterpret_cast<LPARAM>(sender.GetHWND()));
    EXPECT_EQ(sender.Last(WM_COMMAND + 0x2000).wParam, 5u);
    NMHDR header{sender.GetHWND(), 9, 0};
    ::SendMessageW(hwnd, WM_NOTIFY, 9, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ(sender.Count(WM_NOTIFY + 0x2000), 1);
    ::SendMessageW(hwnd, WM_COMMAND, 6, 0);  // from a menu or an accelerator: nobody to reflect to
    EXPECT_EQ(sender.Count(WM_COMMAND + 0x2000), 1);
}

TEST_F(WindowMessages, LosingTheFocusEndsThePressOfAControlThatAsksForIt) {
    a->SetNeedButtonUpWhenKillFocus(true);
    Post(WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
    ::SendMessageW(window.GetHWND(), WM_KILLFOCUS, 0, 0);
    EXPECT_TRUE(a->Saw(ui::kEventMouseButtonUp));
    // The capture went with it: the next move goes to the control under the mouse.
    Post(WM_MOUSEMOVE, MK_LBUTTON, At(130, 10));
    EXPECT_TRUE(c->Saw(ui::kEventMouseMove));
}

TEST_F(WindowMessages, ClosingEndsHoverPressAndFocus) {
    Post(WM_MOUSEMOVE, 0, At(70, 10));
    Post(WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
    ASSERT_EQ(window.GetFocus(), a);
    ::SendMessageW(window.GetHWND(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(a->Saw(ui::kEventMouseButtonUp));
    EXPECT_TRUE(a->Saw(ui::kEventKillFocus));
    EXPECT_EQ(window.GetFocus(), nullptr);
    EXPECT_EQ(window.GetHWND(), nullptr);  // and the default procedure destroyed the window
}

class Filter : public ui::IUIMessageFilter {
public:
    explicit Filter(UINT taken) : taken_(taken) {}
    LRESULT MessageHandler(UINT message, WPARAM, LPARAM, bool& handled) override {
        handled = message == taken_;
        if (handled) ++seen;
        return 0;
    }
    int seen = 0;

private:
    UINT taken_;
};

TEST_F(WindowMessages, FiltersComeFirstButNeverStopTheHoverTracking) {
    Filter moves(WM_MOUSEMOVE);
    Filter presses(WM_LBUTTONDOWN);
    window.AddMessageFilter(&moves);
    window.AddMessageFilter(&presses);
    Post(WM_MOUSEMOVE, 0, At(10, 10));
    EXPECT_EQ(moves.seen, 1);
    EXPECT_TRUE(a->Saw(ui::kEventMouseEnter));

    Post(WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
    EXPECT_EQ(presses.seen, 1);
    EXPECT_FALSE(a->Saw(ui::kEventMouseButtonDown));

    window.RemoveMessageFilter(&presses);
    Post(WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
    EXPECT_TRUE(a->Saw(ui::kEventMouseButtonDown));
    window.RemoveMessageFilter(&moves);
    Post(WM_LBUTTONUP, 0, At(10, 10));
}

TEST_F(WindowMessages, TouchContactsCaptureTheTouchedControl) {
    using Phase = TestWindow::ContactPhase;
    window.HandleTouchContact(Phase::kDown, POINT{10, 10}, 77);
    EXPECT_EQ(window.GetFocus(), a);
    window.HandleTouchContact(Phase::kMove, POINT{10, 10}, 0);  // the same point: nothing
    window.HandleTouchContact(Phase::kMove, POINT{70, 10}, 0);
    // A mouse press while the finger is down is ignored.
    Post(WM_LBUTTONDOWN, MK_LBUTTON, At(130, 10));
    window.HandleTouchContact(Phase::kUp, POINT{70, 12}, 78);
    EXPECT_EQ(a->TypesAmong({ui::kEventTouchDown, ui::kEventTouchMove, ui::kEventTouchUp}),
              (std::vector<int>{ui::kEventTouchDown, ui::kEventTouchMove, ui::kEventTouchUp}));
    EXPECT_FALSE(c->Saw(ui::kEventMouseButtonDown));
    EXPECT_EQ(a->First(ui::kEventTouchDown)->lParam, 77);
    EXPECT_EQ(a->First(ui::kEventTouchUp)->lParam, 78);

    // The touch capture is gone: the mouse works again.
    Post(WM_LBUTTONDOWN, MK_LBUTTON, At(130, 10));
    EXPECT_TRUE(c->Saw(ui::kEventMouseButtonDown));
    Post(WM_LBUTTONUP, 0, At(130, 10));
}

TEST_F(WindowMessages, PointerContactsCarryPressureAndAreTakenByControlsThatReceivePointers) {
    const TestWindow::PointerContact down{POINT{70, 10}, 0.5f};
    EXPECT_TRUE(window.HandlePointerContact(kPointerDown, down, 5));
    EXPECT_TRUE(window.HandlePointerContact(kPointerUp, down, 6));
    ASSERT_EQ(b->TypesAmong({ui::kEventPointerDown, ui::kEventPointerUp}),
              (std::vector<int>{ui::kEventPointerDown, ui::kEventPointerUp}));
    EXPECT_FLOAT_EQ(b->events[b->events.size() - 1].pressure, 0.5f);
    EXPECT_EQ(b->activations, 1);  // a pointer up on the control is a click

    // While the mouse holds a capture the pointer is swallowed.
    Post(WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
    EXPECT_TRUE(window.HandlePointerContact(kPointerDown, down, 0));
    EXPECT_EQ(b->TypesAmong({ui::kEventPointerDown}).size(), 1u);
    Post(WM_LBUTTONUP, 0, At(10, 10));

    // A second finger is swallowed without any event.
    bool handled = false;
    window.DispatchMessage(kPointerDown, MAKEWPARAM(2, 0), At(70, 10), handled);
    EXPECT_TRUE(handled);
    EXPECT_EQ(b->TypesAmong({ui::kEventPointerDown}).size(), 1u);
}

TEST_F(WindowMessages, TouchMessageReadsOnlyTheFirstInputHoweverManyItAnnounces) {
    // The low word is the count; the rest of wParam is noise. The handle is not a real one,
    // so the read fails and nothing happens, without a huge buffer being made.
    bool handled = true;
    window.DispatchMessage(WM_TOUCH, static_cast<WPARAM>(~0ull << 16) | 0xFFFF, 0x1234, handled);
    EXPECT_FALSE(handled);
    EXPECT_TRUE(a->TypesAmong({ui::kEventTouchDown}).empty());
}

TEST_F(WindowMessages, ReplacingTheTreeInsideAHandlerDeletesTheOldTreeOnlyAfterwards) {
    bool oldRootGone = false;
    struct Tracked : ui::HBox {
        bool* gone;
        explicit Tracked(bool* flag) : gone(flag) {}
        ~Tracked() override { *gone = true; }
    };
    auto* tracked = new Tracked(&oldRootGone);
    auto* button = new RecordingControl(60, 40);
    tracked->Add(button);
    window.AttachRoot(tracked);
    ASSERT_TRUE(window_test::PumpUntilLaidOut(window));
    button->EventMapAt(ui::kEventMouseButtonDown).push_back([&](ui::EventArgs*) {
        window.AttachRoot(new ui::HBox);
        EXPECT_FALSE(oldRootGone);
        return true;
    });
    ::PostMessageW(window.GetHWND(), WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
    EXPECT_TRUE(ui_test::PumpMessagesUntil([&] { return oldRootGone; }));
    Post(WM_LBUTTONUP, 0, At(10, 10));
}

}  // namespace
