#pragma once

#include <cstdint>

#include "base/message_pump.h"
#include "base/unique_handle.h"

namespace kbase {

// The pump of a default loop: sleeps on an event until a post or the next delayed task.
class DefaultMessagePump : public MessagePump {
public:
    DefaultMessagePump();

    void Run(Delegate* delegate) override;
    void Quit() override { should_quit_ = true; }
    void WakeUp() override;
    void SetWakeUpTime(const std::int64_t& due_time) override { delayed_work_time_ = due_time; }

private:
    void Wait();

    ScopedHandle wake_up_event_;  // auto-reset
    bool should_quit_ = false;
    std::int64_t delayed_work_time_ = 0;
};

}  // namespace kbase
