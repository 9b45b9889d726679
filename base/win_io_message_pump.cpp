#include "base/win_io_message_pump.h"

#include "base/pump_wait_time.h"

namespace kbase {

WinIOMessagePump::WinIOMessagePump() : port_(::CreateIoCompletionPort(INVALID_HANDLE_VALUE, nullptr, 0, 1)) {}

bool WinIOMessagePump::RegisterIOHandler(HANDLE handle, IOHandler* handler) {
    return ::CreateIoCompletionPort(handle, port_.Get(), reinterpret_cast<ULONG_PTR>(handler), 1) == port_.Get();
}

void WinIOMessagePump::WakeUp() {
    if (have_work_.exchange(1) != 0) return;  // a wake-up is already queued
    if (!::PostQueuedCompletionStatus(port_.Get(), 0, reinterpret_cast<ULONG_PTR>(this),
                                      reinterpret_cast<OVERLAPPED*>(this))) {
        have_work_.exchange(0);
    }
}

void WinIOMessagePump::RunLoop() {
    for (;;) {
        bool more_work = state_->delegate->RunImmediateTasks();
        if (state_->should_quit) break;
        more_work |= WaitForIOCompletion(0);
        if (state_->should_quit) break;
        more_work |= state_->delegate->RunDueDelayedTask(delayed_work_time_);
        if (state_->should_quit) break;
        if (more_work) continue;
        more_work = state_->delegate->RunIdleTasks();
        if (state_->should_quit) break;
        if (more_work) continue;
        WaitForIOCompletion(internal::WaitMilliseconds(MillisecondsUntilWakeUp()));
    }
}

bool WinIOMessagePump::WaitForIOCompletion(DWORD timeout_ms) {
    DWORD bytes = 0;
    ULONG_PTR key = 0;
    OVERLAPPED* overlapped = nullptr;
    const BOOL ok = ::GetQueuedCompletionStatus(port_.Get(), &bytes, &key, &overlapped, timeout_ms);
    if (!ok && !overlapped) return false;  // time-out: no packet was taken
    if (key == reinterpret_cast<ULONG_PTR>(this) && overlapped == reinterpret_cast<OVERLAPPED*>(this)) {
        have_work_.exchange(0);
        return true;
    }
    if (auto* const handler = reinterpret_cast<IOHandler*>(key)) {
        handler->OnIOCompleted(overlapped, bytes, ok ? 0 : ::GetLastError());
    }
    return true;
}

}  // namespace kbase
