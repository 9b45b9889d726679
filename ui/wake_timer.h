#pragma once

#include <windows.h>

#include "base/unique_handle.h"

namespace ui {

// Posts kWakeMessage to a window at a period: through a multimedia timer, or, when the system
// refuses one (Wine refuses periods above 65,535 ms, any system a period below its minimum),
// through a window timer on the window's own thread, so that the window is woken either way.
class WakeTimer {
public:
    static constexpr UINT kWakeMessage = WM_USER + 9999;

    explicit WakeTimer(HWND window) : window_(window) {}
    ~WakeTimer() { Stop(); }
    WakeTimer(const WakeTimer&) = delete;
    WakeTimer& operator=(const WakeTimer&) = delete;

    // Replaces the running timer; false when neither kind could be set.
    bool Start(UINT periodMs);
    void Stop();
    bool IsRunning() const { return multimedia_ || windowTimer_; }
    bool UsesWindowTimer() const { return windowTimer_; }

private:
    struct MultimediaTimerTraits {
        using Raw = UINT;
        static Raw Invalid() { return 0; }
        static void Close(Raw id);
    };

    HWND window_;
    kbase::UniqueHandle<MultimediaTimerTraits> multimedia_;
    bool windowTimer_ = false;
};

}  // namespace ui
