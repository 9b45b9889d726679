#include "browser/cef_message_loop_dispatcher.h"

#include <atomic>

#include "browser/runtime/cef_app.h"

namespace zel_comp {
namespace {

// Set by any message that may have queued runtime work; mouse moves and paints alone do not.
std::atomic<int> workPending{0};

}  // namespace

bool CefMessageLoopDispatcher::Dispatch(const MSG& message) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
    const bool quiet = message.message == WM_PAINT || message.message == WM_NCMOUSEMOVE || message.message == WM_MOUSEMOVE;
    if (quiet && workPending == 0) return true;
    if (!quiet) workPending = 1;
    MSG next;
    if (!::PeekMessageW(&next, nullptr, 0, 0, PM_NOREMOVE)) {
        CefDoMessageLoopWork();
        workPending = 0;
    }
    return true;
}

}  // namespace zel_comp
