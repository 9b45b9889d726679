#pragma once

#include <memory>

#include "base/message_loop.h"
#include "base/win_ui_message_pump.h"

namespace kbase {

// A loop that also runs the thread's window messages.
class UIMessageLoop : public MessageLoop {
public:
    UIMessageLoop() : MessageLoop(kUILoop, std::make_shared<WinUIMessagePump>()) {}
};

}  // namespace kbase
