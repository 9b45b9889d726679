#pragma once

#include "base/win_message_pump.h"

namespace kbase {

// A message loop's run record, on the stack of MessageLoop::Run; nested runs stack them.
struct LoopRunState {
    int run_depth = 1;
    bool quit_when_idle = false;
    WinMessagePump::Dispatcher* dispatcher = nullptr;  // not owned, may be null
};

}  // namespace kbase
