#include "base/default_message_pump.h"

#include <windows.h>

#include "base/pump_wait_time.h"
#include "base/time.h"

namespace kbase {

DefaultMessagePump::DefaultMessagePump() : wake_up_event_(::CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}

void DefaultMessagePump::Run(Delegate* delegate) {
    for (;;) {
        bool did_work = delegate->RunImmediateTasks();
        if (should_quit_) break;
        did_work |= delegate->RunDueDelayedTask(delayed_work_time_);
        if (should_quit_) break;
        if (did_work) continue;
        did_work = delegate->RunIdleTasks();
        if (should_quit_) break;
        if (did_work) continue;
        Wait();
    }
    should_quit_ = false;
}

void DefaultMessagePump::Wait() {
    if (delayed_work_time_ == 0) {
        ::WaitForSingleObject(wake_up_event_.Get(), INFINITE);
        return;
    }
    const TimeDelta delay = delayed_work_time_ - NowMicroseconds();
    if (delay > 0) {
        ::WaitForSingleObject(wake_up_event_.Get(), internal::DefaultPumpWaitMilliseconds(delay));
    } else {
        delayed_work_time_ = 0;  // already due: the next pass runs it
    }
}

void DefaultMessagePump::WakeUp() { ::SetEvent(wake_up_event_.Get()); }

}  // namespace kbase
