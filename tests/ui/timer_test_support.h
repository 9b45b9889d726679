#pragma once

// Waiting for UI timers in tests: every wait is bounded and pumps this thread's messages,
// which is where the timer manager runs its timers.

#include <windows.h>

#include <functional>

#include "base/weak_callback.h"
#include "ui/timer_manager.h"

namespace ui_test {

// Dispatches this thread's messages until done() holds or timeoutMs pass; done() is asked
// before waiting and after every message. Returns done().
inline bool PumpMessagesUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000) {
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    while (!done()) {
        const ULONGLONG now = ::GetTickCount64();
        if (now >= deadline) return false;
        MSG message;
        if (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        } else {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
        }
    }
    return true;
}

// Queues a one-shot timer and pumps until it ran: by then every timer due before it had its
// turn.
inline bool PassTime(int periodMs) {
    kbase::WeakCallbackFlag flag;
    bool ran = false;
    ui::TimerManager::GetInstance()->AddCancelableTimer(flag.ObtainWeakFlag(), [&ran] { ran = true; }, periodMs, 1);
    return PumpMessagesUntil([&ran] { return ran; });
}

}  // namespace ui_test
