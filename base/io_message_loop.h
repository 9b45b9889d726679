#pragma once

#include <windows.h>

#include <memory>

#include "base/message_loop.h"
#include "base/win_io_message_pump.h"

namespace kbase {

// A loop that also serves I/O completions.
class IOMessageLoop : public MessageLoop {
public:
    IOMessageLoop() : IOMessageLoop(std::make_shared<WinIOMessagePump>()) {}

    // Completions of operations on the handle run the handler on this loop's thread.
    bool RegisterIOHandler(HANDLE handle, WinIOMessagePump::IOHandler* handler) {
        return io_pump_->RegisterIOHandler(handle, handler);
    }

private:
    explicit IOMessageLoop(const std::shared_ptr<WinIOMessagePump>& pump)
        : MessageLoop(kIOLoop, pump), io_pump_(pump.get()) {}

    WinIOMessagePump* io_pump_;  // owned by the base
};

}  // namespace kbase
