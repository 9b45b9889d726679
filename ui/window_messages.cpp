// Window messages into control events: message filters, hover and tooltips, mouse capture,
// focus and the Tab key, keyboard and input method, reflected command messages.
#include "ui/window.h"

#include <windowsx.h>

#include "ui/box.h"
#include "ui/control.h"
#include "ui/message_filter.h"
#include "ui/shadow_box.h"

namespace ui {
namespace {

// Reflected command and notification messages go to their sender as message + 0x2000.
constexpr UINT kReflectOffset = 0x2000;
constexpr UINT kDefaultHoverTimeMs = 200;
constexpr UINT kToolTipInitialDelayMs = 200;

POINT PointOf(LPARAM lParam) {
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

// Where a message happened, in client coordinates; false for messages without a point.
bool MessagePoint(HWND hwnd, UINT message, LPARAM lParam, POINT& point) {
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MOUSEHOVER:
        point = PointOf(lParam);
        return true;
    case WM_CONTEXTMENU:
    case WM_MOUSEWHEEL:
        point = PointOf(lParam);
        ::ScreenToClient(hwnd, &point);
        return true;
    case WM_SETCURSOR:
        ::GetCursorPos(&point);
        ::ScreenToClient(hwnd, &point);
        return true;
    default:
        return false;
    }
}

}  // namespace

LRESULT Window::DispatchMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    handled = false;
    if (message == WM_PAINT) paintPosted_ = false;  // whoever takes it, the next change posts again
    // A filter may remove itself while it runs.
    const std::vector<IUIMessageFilter*> filters = messageFilters_;
    for (IUIMessageFilter* filter : filters) {
        bool filtered = false;
        const LRESULT result = filter->MessageHandler(message, wParam, lParam, filtered);
        if (filtered && message != WM_MOUSEMOVE) {
            handled = true;
            return result;
        }
    }

    POINT point{0, 0};
    if (MessagePoint(hwnd_, message, lParam, point)) lastMousePoint_ = point;
    switch (message) {
    case WM_SIZE:
        OnSize(wParam);
        handled = true;
        return 0;
    case WM_KILLFOCUS:
        OnKillFocus(wParam, lParam);
        return 0;
    case WM_PAINT:
        LayeredPaint();
        handled = true;
        return 0;
    case WM_CLOSE:
        OnCloseMessage(wParam, lParam);
        return 0;
    case WM_ERASEBKGND:
        handled = true;
        return 1;
    case WM_SETCURSOR:
        return OnSetCursor(point, wParam, lParam, handled);
    case WM_NOTIFY:
        if (!lParam) {
            handled = true;
            return 0;
        }
        return ::SendMessageW(reinterpret_cast<NMHDR*>(lParam)->hwndFrom, message + kReflectOffset, wParam, lParam);
    case WM_CONTEXTMENU:
        OnContextMenu(point, wParam);
        return 0;
    case WM_KEYDOWN:
        return OnKeyDown(wParam, lParam);
    case WM_KEYUP:
        if (Control* target = keyDown_) {
            Control::SendEvent(target, kEventKeyUp, wParam, lParam, static_cast<wchar_t>(wParam));
            keyDown_ = nullptr;
        }
        return 0;
    case WM_CHAR:
        if (focus_) Control::SendEvent(focus_, kEventChar, wParam, lParam, static_cast<wchar_t>(wParam));
        return 0;
    case WM_IME_STARTCOMPOSITION:
    case WM_IME_ENDCOMPOSITION:
        if (focus_) {
            const int type = message == WM_IME_STARTCOMPOSITION ? kEventImeStartComposition : kEventImeEndComposition;
            Control::SendEvent(focus_, type, wParam, lParam, static_cast<wchar_t>(wParam));
        }
        return 0;
    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        if (!lParam) return 0;
        handled = true;
        return ::SendMessageW(reinterpret_cast<HWND>(lParam), message + kReflectOffset, wParam, lParam);
    case WM_MOUSEMOVE:
        OnMouseMove(point, wParam, lParam);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        OnButtonDown(message, point, wParam, lParam);
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        OnButtonUp(message, point, wParam, lParam);
        return 0;
    case WM_MOUSEWHEEL:
        if (Control* control = FindOwnControl(point)) {
            const auto delta = static_cast<WPARAM>(static_cast<LONG_PTR>(GET_WHEEL_DELTA_WPARAM(wParam)));
            Control::SendEvent(control, kEventMouseScrollWheel, delta, lParam);
        }
        return 0;
    case WM_TOUCH:
        OnTouch(wParam, lParam);
        return 0;
    case WM_MOUSEHOVER:
        OnMouseHover(point, wParam, lParam, handled);
        return 0;
    case WM_MOUSELEAVE:
        OnMouseLeave();
        return 0;
    case kMsgDelayedDelete:
        DeleteDelayedControls();
        return 0;
    default:
        return IsPointerMessage(message) ? OnPointer(message, wParam, lParam, handled) : 0;
    }
}

Control* Window::FindOwnControl(POINT point) const {
    Control* control = FindControl(point);
    return control && control->GetWindow() == this ? control : nullptr;
}

void Window::OnSize(WPARAM wParam) {
    if (focus_) Control::SendEvent(focus_, kEventWindowSize);
    if (root_) root_->Arrange();
    if (!shadow_.attached || !shadow_.box) return;
    // A maximised window fills its monitor: no shadow, square corners, until it is restored.
    const bool maximized = wParam == SIZE_MAXIMIZED;
    if (!maximized && wParam != SIZE_RESTORED) return;
    shadow_.padding = maximized ? RECT{0, 0, 0, 0} : shadow_.restorePadding;
    shadow_.box->GetLayout()->SetPadding(shadow_.padding, false);
    if (!shadow_.defaultImage) return;
    if (Control* content = shadow_.box->GetItemAt(0)) content->SetBorderRound(maximized ? SIZE{0, 0} : kDefaultImageRound);
}

void Window::OnKillFocus(WPARAM wParam, LPARAM lParam) {
    Control* target = pointerCapture_ ? pointerCapture_ : touchCapture_ ? touchCapture_ : mouseCapture_;
    if (!target || !target->NeedButtonUpWhenKillFocus()) return;
    ReleaseMouseCapture();
    Control::SendEvent(target, kEventMouseButtonUp, wParam, lParam);
    pointerCapture_ = nullptr;
    touchCapture_ = nullptr;
    mouseCapture_ = nullptr;
}

void Window::OnCloseMessage(WPARAM wParam, LPARAM lParam) {
    if (hover_) Control::SendEvent(hover_, kEventMouseLeave, wParam, lParam);
    for (Control* capture : {mouseCapture_, touchCapture_, pointerCapture_}) {
        if (capture) Control::SendEvent(capture, kEventMouseButtonUp, wParam, lParam);
    }
    SetFocusControl(nullptr);
    if (const HWND owner = ::GetWindow(hwnd_, GW_OWNER)) ::SetFocus(owner);
}

LRESULT Window::OnSetCursor(POINT point, WPARAM wParam, LPARAM lParam, bool& handled) {
    if (LOWORD(lParam) != HTCLIENT) return 0;
    if (mouseCapture_ || HasTouchOrPointerCapture()) {
        handled = true;
        return 0;
    }
    Control* control = FindOwnControl(point);
    if (!control) return 0;
    Control::SendEvent(control, kEventSetCursor, wParam, lParam, 0, point);
    handled = true;
    return 0;
}

void Window::OnContextMenu(POINT point, WPARAM wParam) {
    Control* target = mouseCapture_;
    if (!target) return;
    ReleaseMouseCapture();
    Control::SendEvent(target, kEventInternalMenu, wParam, reinterpret_cast<LPARAM>(target), 0, point);
    mouseCapture_ = nullptr;
}

LRESULT Window::OnKeyDown(WPARAM wParam, LPARAM lParam) {
    if (!focus_) return 0;
    if (wParam == VK_TAB) {
        if (focus_->IsVisible() && focus_->IsEnabled() && focus_->IsWantTab()) return 0;
        SetNextTabControl(::GetKeyState(VK_SHIFT) >= 0);
        return 1;
    }
    keyDown_ = focus_;
    Control::SendEvent(focus_, kEventKeyDown, wParam, lParam, static_cast<wchar_t>(wParam));
    return 0;
}

void Window::OnMouseMove(POINT point, WPARAM wParam, LPARAM lParam) {
    if (HasTouchOrPointerCapture()) return;
    if (!mouseTracking_) {
        TRACKMOUSEEVENT track{};
        track.cbSize = sizeof(track);
        track.dwFlags = TME_HOVER | TME_LEAVE;
        track.hwndTrack = hwnd_;
        track.dwHoverTime = toolTip_ ? static_cast<DWORD>(::SendMessageW(toolTip_.Get(), TTM_GETDELAYTIME, TTDT_INITIAL, 0))
                                     : kDefaultHoverTimeMs;
        ::TrackMouseEvent(&track);
        mouseTracking_ = true;
    }
    if (!HandleMouseEnterLeave(point, wParam, lParam)) return;
    if (Control* target = mouseCapture_ ? mouseCapture_ : newHover_) {
        Control::SendEvent(target, kEventMouseMove, wParam, lParam, 0, point);
    }
}

void Window::OnButtonDown(UINT message, POINT point, WPARAM wParam, LPARAM lParam) {
    if (HasTouchOrPointerCapture()) return;
    ::SetFocus(hwnd_);
    Control* control = FindOwnControl(point);
    if (!control) return;
    mouseCapture_ = control;
    if (message != WM_LBUTTONDBLCLK) control->SetFocus();
    ::SetCapture(hwnd_);
    mouseCaptured_ = true;
    const int type = message == WM_LBUTTONDOWN   ? kEventMouseButtonDown
                     : message == WM_RBUTTONDOWN ? kEventMouseRightButtonDown
                                                 : kEventInternalDoubleClick;
    Control::SendEvent(control, type, wParam, lParam, 0, point);
}

void Window::OnButtonUp(UINT message, POINT point, WPARAM wParam, LPARAM lParam) {
    ReleaseMouseCapture();
    Control* target = mouseCapture_;
    if (!target) return;
    if (message == WM_LBUTTONUP) {
        Control::SendEvent(target, kEventMouseButtonUp, wParam, lParam, 0, point);
        mouseCapture_ = nullptr;
    } else {
        // The capture stays for the WM_CONTEXTMENU that the default procedure makes of this.
        Control::SendEvent(target, kEventMouseRightButtonUp, wParam, lParam, 0, point);
    }
}

void Window::CaptureMouse(bool capture) {
    if (!capture) {
        ReleaseMouseCapture();
        return;
    }
    ::SetCapture(hwnd_);
    mouseCaptured_ = true;
}

void Window::ReleaseMouseCapture() {
    ::ReleaseCapture();
    mouseCaptured_ = false;
}

bool Window::HandleMouseEnterLeave(POINT point, WPARAM wParam, LPARAM lParam) {
    newHover_ = FindControl(point);
    if (newHover_ && newHover_->GetWindow() != this) return false;
    if (hover_ && hover_ != newHover_) {
        Control::SendEvent(hover_, kEventMouseLeave, wParam, 0, 0, point);
        hover_ = nullptr;
        if (toolTip_) ::SendMessageW(toolTip_.Get(), TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&toolInfo_));
    }
    if (newHover_ && newHover_ != hover_) {
        Control::SendEvent(newHover_, kEventMouseEnter, wParam, lParam, 0, point);
        hover_ = newHover_;
    }
    return true;
}

void Window::OnMouseHover(POINT point, WPARAM wParam, LPARAM lParam, bool& handled) {
    mouseTracking_ = false;
    Control* control = FindOwnControl(point);
    if (!control) return;
    if (hover_) Control::SendEvent(hover_, kEventMouseHover, wParam, lParam, 0, point);
    ShowToolTip(control);
    handled = true;
}

void Window::ShowToolTip(Control* control) {
    std::wstring text = control->GetToolTipText();
    toolInfo_ = TOOLINFOW{};
    toolInfo_.cbSize = sizeof(toolInfo_);
    toolInfo_.uFlags = TTF_IDISHWND;
    toolInfo_.hwnd = hwnd_;
    toolInfo_.uId = reinterpret_cast<UINT_PTR>(hwnd_);
    toolInfo_.rect = control->GetPos(true);
    toolInfo_.hinst = ::GetModuleHandleW(nullptr);
    toolInfo_.lpszText = text.data();  // copied by the tooltip; never read again from here
    if (!toolTip_) {
        toolTip_.Reset(::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                                         ::GetModuleHandleW(nullptr), nullptr));
        if (!toolTip_) return;
        ::SendMessageW(toolTip_.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&toolInfo_));
        ::SendMessageW(toolTip_.Get(), TTM_SETDELAYTIME, TTDT_INITIAL, kToolTipInitialDelayMs);
    }
    ::SendMessageW(toolTip_.Get(), TTM_SETMAXTIPWIDTH, 0, control->GetToolTipWidth());
    ::SendMessageW(toolTip_.Get(), TTM_SETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&toolInfo_));
    ::SendMessageW(toolTip_.Get(), TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&toolInfo_));
    toolInfo_.lpszText = nullptr;
}

void Window::OnMouseLeave() {
    if (toolTip_) ::SendMessageW(toolTip_.Get(), TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&toolInfo_));
    if (mouseTracking_) ::SendMessageW(hwnd_, WM_MOUSEMOVE, 0, static_cast<LPARAM>(-1));
    mouseTracking_ = false;
}

}  // namespace ui
