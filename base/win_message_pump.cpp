#include "base/win_message_pump.h"

#include <utility>

#include "base/pump_wait_time.h"
#include "base/time.h"

namespace kbase {

void WinMessagePump::RunWithDispatcher(Delegate* delegate, Dispatcher* dispatcher) {
    PumpRunState state;
    state.run_depth = state_ ? state_->run_depth + 1 : 1;
    state.delegate = delegate;
    state.dispatcher = dispatcher;
    PumpRunState* const previous = std::exchange(state_, &state);
    RunLoop();
    state_ = previous;
}

void WinMessagePump::Quit() {
    if (state_) state_->should_quit = true;
}

std::int64_t WinMessagePump::MillisecondsUntilWakeUp() const {
    return internal::MillisecondsUntil(delayed_work_time_, NowMicroseconds());
}

}  // namespace kbase
