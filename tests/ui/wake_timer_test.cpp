#include "ui/wake_timer.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "tests/ui/timer_test_support.h"

namespace {

using ui::WakeTimer;
using ui_test::PumpMessagesUntil;

// A message-only window that counts the wake messages it gets.
class WakeCounter {
public:
    WakeCounter() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &WakeCounter::WindowProc;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"WakeTimerTestWindow";
        ::RegisterClassW(&windowClass);
        window_ = ::CreateWindowExW(0, windowClass.lpszClassName, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    windowClass.hInstance, nullptr);
        ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~WakeCounter() { ::DestroyWindow(window_); }

    HWND window() const { return window_; }
    int wakes() const { return wakes_; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
        if (message == WakeTimer::kWakeMessage) {
            ++reinterpret_cast<WakeCounter*>(::GetWindowLongPtrW(window, GWLP_USERDATA))->wakes_;
            return 0;
        }
        return ::DefWindowProcW(window, message, wparam, lparam);
    }

    HWND window_ = nullptr;
    int wakes_ = 0;
};

// A period the multimedia timer takes and one it refuses (below every system's minimum) both
// wake the window again and again, until stopped.
TEST(WakeTimer, WakesTheWindowWithEitherKindOfTimerUntilStopped) {
    struct Case {
        UINT periodMs;
        bool windowTimer;
    } const cases[] = {{16, false}, {0, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.periodMs);
        WakeCounter counter;
        WakeTimer timer(counter.window());
        ASSERT_TRUE(timer.Start(c.periodMs));
        EXPECT_EQ(timer.UsesWindowTimer(), c.windowTimer);
        EXPECT_TRUE(PumpMessagesUntil([&] { return counter.wakes() >= 3; }));

        timer.Stop();
        EXPECT_FALSE(timer.IsRunning());
        PumpMessagesUntil([] { return false; }, 50);  // what was posted before the stop
        const int stoppedAt = counter.wakes();
        EXPECT_FALSE(PumpMessagesUntil([&] { return counter.wakes() > stoppedAt; }, 200));
    }
}

}  // namespace
