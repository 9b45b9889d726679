#include "ui/on_screen_keyboard_manager.h"

#include <gtest/gtest.h>

#include "tests/ui/timer_test_support.h"
#include "ui/dpi_manager.h"

namespace {

using ui::OnScreenKeyboardManager;

TEST(OnScreenKeyboardManager, KeyboardProgramLiesUnderTheCommonFilesFolder) {
    EXPECT_EQ(OnScreenKeyboardManager::TabTipPath(L"D:\\Common"), L"D:\\Common\\microsoft shared\\ink\\TabTip.exe");
    const std::wstring fallback = OnScreenKeyboardManager::TabTipPath(L"");
    EXPECT_EQ(fallback, L"C:\\\\Program Files\\Common Files\\microsoft shared\\ink\\TabTip.exe");
    EXPECT_EQ(fallback.size(), 62u);
}

// A stand-in for the touch keyboard's window: the manager finds it by class and closes it.
class KeyboardWindow {
public:
    KeyboardWindow() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &KeyboardWindow::Procedure;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"IPTip_Main_Window";
        ::RegisterClassW(&windowClass);
        hwnd_ = ::CreateWindowExW(WS_EX_NOACTIVATE, L"IPTip_Main_Window", L"", WS_POPUP, 0, 0, 10, 10, nullptr,
                                  nullptr, ::GetModuleHandleW(nullptr), nullptr);
        closes = 0;
    }
    ~KeyboardWindow() { ::DestroyWindow(hwnd_); }
    KeyboardWindow(const KeyboardWindow&) = delete;
    KeyboardWindow& operator=(const KeyboardWindow&) = delete;
    HWND Get() const { return hwnd_; }

    static int closes;

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE) {
            ++closes;
            return 0;  // counted, and left open for the test
        }
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    HWND hwnd_ = nullptr;
};
int KeyboardWindow::closes = 0;

TEST(OnScreenKeyboardManager, ShownMeansVisibleAndEnabled) {
    KeyboardWindow keyboard;
    ASSERT_NE(keyboard.Get(), nullptr);
    EXPECT_FALSE(OnScreenKeyboardManager::IsKeyboardShown());
    ::ShowWindow(keyboard.Get(), SW_SHOWNOACTIVATE);
    EXPECT_TRUE(OnScreenKeyboardManager::IsKeyboardShown());
    ::EnableWindow(keyboard.Get(), FALSE);
    EXPECT_FALSE(OnScreenKeyboardManager::IsKeyboardShown());
}

TEST(OnScreenKeyboardManager, HideClosesAShownKeyboardOnceTheRequestsSettle) {
    KeyboardWindow keyboard;
    ::ShowWindow(keyboard.Get(), SW_SHOWNOACTIVATE);
    OnScreenKeyboardManager* manager = OnScreenKeyboardManager::GetInstance();
    if (!ui::IsWindowsVersionAtLeast(2)) {  // Wine's prefix may say Windows 7: requests are ignored
        manager->ShowOSK(false);
        ASSERT_TRUE(ui_test::PassTime(50));
        EXPECT_EQ(KeyboardWindow::closes, 0);
        return;
    }
    // A show and a hide within the delay: both timers find the last request, hidden.
    manager->ShowOSK(true);
    manager->ShowOSK(false);
    ASSERT_TRUE(ui_test::PumpMessagesUntil([] { return KeyboardWindow::closes >= 1; }, 2000));
    ASSERT_TRUE(ui_test::PassTime(50));
    EXPECT_EQ(KeyboardWindow::closes, 2);

    ::ShowWindow(keyboard.Get(), SW_HIDE);  // nothing to close when it is hidden
    manager->ShowOSK(false);
    ASSERT_TRUE(ui_test::PassTime(50));
    EXPECT_EQ(KeyboardWindow::closes, 2);
}

}  // namespace
