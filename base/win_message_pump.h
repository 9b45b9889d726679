#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>

#include "base/message_pump.h"

namespace kbase {

struct PumpRunState;

// Base of the Windows pumps: a stack of run records (one per nested Run) and the have-work flag
// that keeps at most one wake-up in flight.
class WinMessagePump : public MessagePump {
public:
    // Takes each window message instead of translating and dispatching it; false ends the loop.
    class Dispatcher {
    public:
        virtual ~Dispatcher() = default;
        virtual bool Dispatch(const MSG& message) = 0;
    };

    void Run(Delegate* delegate) override { RunWithDispatcher(delegate, nullptr); }
    // Ends only the innermost run.
    void Quit() override;

    // Runs the loop under a record that hands window messages to the dispatcher (may be null).
    void RunWithDispatcher(Delegate* delegate, Dispatcher* dispatcher);

protected:
    virtual void RunLoop() = 0;

    // -1 when no delayed task is pending.
    std::int64_t MillisecondsUntilWakeUp() const;

    std::int64_t delayed_work_time_ = 0;
    std::atomic<int> have_work_{0};  // changed only by exchange
    PumpRunState* state_ = nullptr;  // innermost run record; null while not running
};

// A pump's run record, on the stack of Run.
struct PumpRunState {
    int run_depth = 1;
    bool should_quit = false;
    MessagePump::Delegate* delegate = nullptr;
    WinMessagePump::Dispatcher* dispatcher = nullptr;
};

}  // namespace kbase
