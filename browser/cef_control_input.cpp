// The off-screen control's input: the window's mouse, wheel, keyboard and capture messages
// become the browser's input events.
#include "browser/cef_control.h"

#include <windowsx.h>

#include "browser/input_event_flags.h"
#include "ui/window.h"

namespace zel_comp {
namespace {

POINT PointOf(LPARAM lParam) {
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

CefKeyEventType KeyEventType(UINT message) {
    switch (message) {
        case WM_KEYUP:
        case WM_SYSKEYUP:
            return KEYEVENT_KEYUP;
        case WM_CHAR:
        case WM_SYSCHAR:
            return KEYEVENT_CHAR;
        default:
            return KEYEVENT_RAWKEYDOWN;
    }
}

CefMouseButtonType ButtonType(UINT message) {
    switch (message) {
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
            return MBT_MIDDLE;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
            return MBT_RIGHT;
        default:
            return MBT_LEFT;
    }
}

}  // namespace

LRESULT CefControl::MessageHandler(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    handled = false;
    if (!IsVisible() || !IsEnabled()) return 0;
    const CefRefPtr<CefBrowserHost> host = GetMainHost();
    if (!host || !window_) return 0;
    if (message == WM_MOUSEWHEEL) return ForwardMouseWheel(wParam, lParam, handled);
    ForwardInput(*host, message, wParam, lParam, handled);
    return 0;
}

void CefControl::ForwardInput(CefBrowserHost& host, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    const POINT point = PointOf(lParam);
    switch (message) {
        case WM_CANCELMODE:
        case WM_CAPTURECHANGED:
            host.SendCaptureLostEvent();
            handled = true;
            break;
        case WM_SETCURSOR: {
            POINT cursor;
            ::GetCursorPos(&cursor);
            ::ScreenToClient(window_->GetHWND(), &cursor);
            if (!ContainsWindowPoint(cursor)) break;
            window_->CallSavedWindowProc(message, wParam, lParam);
            handled = true;
            break;
        }
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_CHAR:
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP:
        case WM_SYSCHAR: {
            if (!IsFocused()) break;
            CefKeyEvent event;
            event.type = KeyEventType(message);
            event.modifiers = KeyEventFlags(wParam, lParam);
            event.windows_key_code = static_cast<int>(wParam);
            event.native_key_code = static_cast<int>(lParam);
            event.is_system_key = message == WM_SYSKEYDOWN || message == WM_SYSKEYUP || message == WM_SYSCHAR;
            host.SendKeyEvent(event);
            handled = true;
            break;
        }
        case WM_MOUSEMOVE:
            if (ContainsWindowPoint(point) || window_->IsCaptured()) {
                host.SendMouseMoveEvent(MouseEventAt(point, wParam), false);
            }
            break;
        case WM_LBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_RBUTTONDOWN:
            if (!ContainsWindowPoint(point)) break;
            SetFocus();
            host.SendMouseClickEvent(MouseEventAt(point, wParam), ButtonType(message), false, 1);
            break;
        case WM_LBUTTONUP:
        case WM_MBUTTONUP:
        case WM_RBUTTONUP: {
            if (!ContainsWindowPoint(point) && !window_->IsCaptured()) break;
            CefMouseEvent event = MouseEventAt(point, wParam);
            // The right button's release keeps the window's coordinates.
            if (message == WM_RBUTTONUP) event.x = point.x, event.y = point.y;
            host.SendMouseClickEvent(event, ButtonType(message), true, 1);
            break;
        }
        case WM_LBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
            if (!ContainsWindowPoint(point)) break;
            host.SendMouseClickEvent(MouseEventAt(point, wParam), MBT_LEFT, false, 2);
            handled = true;
            break;
        case WM_MOUSELEAVE:
            if (!ContainsWindowPoint(point)) break;
            host.SendMouseMoveEvent(MouseEventAt(point, wParam), true);
            handled = true;
            break;
        default:
            break;
    }
}

LRESULT CefControl::ForwardMouseWheel(WPARAM wParam, LPARAM lParam, bool& handled) {
    POINT point = PointOf(lParam);
    if (::WindowFromPoint(point) != window_->GetHWND()) return 0;
    ::ScreenToClient(window_->GetHWND(), &point);
    if (!ContainsWindowPoint(point)) return 0;
    const CefRefPtr<CefBrowserHost> host = GetMainHost();
    if (!host) return 0;
    const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
    const bool horizontal = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
    host->SendMouseWheelEvent(MouseEventAt(point, GET_KEYSTATE_WPARAM(wParam)), horizontal ? delta : 0,
                              horizontal ? 0 : delta);
    handled = true;
    return 0;
}

CefMouseEvent CefControl::MouseEventAt(POINT point, WPARAM wParam) const {
    const RECT rect = GetPos(true);
    CefMouseEvent event;
    event.x = point.x - rect.left;
    event.y = point.y - rect.top;
    event.modifiers = MouseEventFlags(wParam);
    return event;
}

bool CefControl::ContainsWindowPoint(POINT point) const {
    const RECT rect = GetPos(true);
    return ::PtInRect(&rect, point) != FALSE;
}

}  // namespace zel_comp
