#pragma once

#include <windows.h>

#include "base/win_message_pump.h"

namespace zel_comp {

// For a UI loop that also runs the browser runtime's work: dispatches each window message and,
// once the queue is empty, runs one pass of the runtime. The launcher's runtime has threads of
// its own, so thread 0 runs without it.
class CefMessageLoopDispatcher : public kbase::WinMessagePump::Dispatcher {
public:
    // Always true: the dispatcher never ends the loop.
    bool Dispatch(const MSG& message) override;
};

}  // namespace zel_comp
