#pragma once

#include <cstdint>

namespace kbase {

// The waiting half of a message loop: asks its delegate for work and sleeps when there is none.
// Only WakeUp may be called from other threads.
class MessagePump {
public:
    // Implemented by the message loop; each call says whether it did work.
    class Delegate {
    public:
        virtual ~Delegate() = default;
        virtual bool RunImmediateTasks() = 0;
        // Also writes the due time of the next delayed task (0 when there is none).
        virtual bool RunDueDelayedTask(std::int64_t& next_due_time) = 0;
        virtual bool RunIdleTasks() = 0;
    };

    virtual ~MessagePump() = default;
    // Returns once Quit has been called from inside it.
    virtual void Run(Delegate* delegate) = 0;
    virtual void Quit() = 0;
    virtual void WakeUp() = 0;
    // Due time in microseconds on the loop clock.
    virtual void SetWakeUpTime(const std::int64_t& due_time) = 0;
};

}  // namespace kbase
