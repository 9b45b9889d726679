#pragma once

#include <windows.h>

#include <cstdint>

#include "base/unique_handle.h"
#include "base/win_message_pump.h"

namespace kbase {

// The pump of an I/O loop: sleeps on a completion port and hands completions to the handlers
// registered for their handles; a post wakes it with a packet that carries the pump itself.
class WinIOMessagePump : public WinMessagePump {
public:
    class IOHandler {
    public:
        virtual ~IOHandler() = default;
        // error is 0 on success, else the system error code of the operation.
        virtual void OnIOCompleted(OVERLAPPED* overlapped, DWORD bytes_transferred, DWORD error) = 0;
    };

    WinIOMessagePump();

    void WakeUp() override;
    void SetWakeUpTime(const std::int64_t& due_time) override { delayed_work_time_ = due_time; }

    // Completions of operations on the handle go to the handler, which must outlive them.
    bool RegisterIOHandler(HANDLE handle, IOHandler* handler);

protected:
    void RunLoop() override;

private:
    // Waits up to the timeout for one completion and handles it; false when none came.
    bool WaitForIOCompletion(DWORD timeout_ms);

    ScopedHandle port_;
};

}  // namespace kbase
