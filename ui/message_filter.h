#pragma once

#include <windows.h>

namespace ui {

// Sees every message of a window before the window does (the off-screen browser control is
// one); registered with Window::AddMessageFilter.
class IUIMessageFilter {
public:
    // Sets handled to stop the window's own handling (except of WM_MOUSEMOVE, whose hover
    // tracking always runs); the result is then the message's.
    virtual LRESULT MessageHandler(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) = 0;

protected:
    ~IUIMessageFilter() = default;
};

}  // namespace ui
