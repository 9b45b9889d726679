// The handlers of the skinned window base: the whole window is client area, the skin's bands
// size and drag it, its corners are round, a maximised window stays in its monitor's work
// area and the tracking limits come from the skin.
#include <windowsx.h>

#include "ui/box.h"
#include "ui/control.h"
#include "ui/dpi_manager.h"
#include "ui/shadow_box.h"
#include "ui/window_geometry.h"
#include "ui/window_impl_base.h"

namespace ui {
namespace {

RECT WorkAreaOf(HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    ::GetMonitorInfoW(monitor, &info);
    return info.rcWork;
}

// A tracking limit is set only when it is more than the shadow around the window.
void SetLimit(LONG& limit, LONG value, LONG shadow) {
    if (value - shadow > 0) limit = value;
}

}  // namespace

LRESULT WindowImplBase::OnNcActivate(UINT, WPARAM wParam, LPARAM, BOOL& handled) {
    if (::IsIconic(hwnd_)) {
        handled = FALSE;
        return 0;
    }
    return wParam == 0 ? TRUE : FALSE;
}

LRESULT WindowImplBase::OnWindowPosChanging(UINT, WPARAM, LPARAM lParam, BOOL& handled) {
    handled = FALSE;
    auto* position = reinterpret_cast<WINDOWPOS*>(lParam);
    if (!::IsZoomed(hwnd_) || !(position->flags & SWP_FRAMECHANGED)) return 0;
    const HMONITOR monitor = ::MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST);
    if (monitor == ::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY)) return 0;
    const RECT work = WorkAreaOf(monitor);
    position->x = work.left;
    position->y = work.top;
    position->cx = work.right - work.left;
    position->cy = work.bottom - work.top;
    return 0;
}

LRESULT WindowImplBase::OnNcHitTest(UINT, WPARAM, LPARAM lParam, BOOL&) {
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ::ScreenToClient(hwnd_, &point);
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    const RECT shadow = GetShadowPadding();
    client = RECT{client.left + shadow.left, client.top + shadow.top, client.right - shadow.right,
                  client.bottom - shadow.bottom};
    if (!::IsZoomed(hwnd_)) {
        const UINT sizing = SizeBoxHitTest(point, client, GetSizeBox());
        if (sizing != HTNOWHERE) return sizing;
    }
    if (InCaption(point, client, GetCaptionRect())) {
        const Control* control = FindControl(point);
        if (control && !control->IsCaptionClickable()) return HTCAPTION;
    }
    return HTCLIENT;
}

LRESULT WindowImplBase::OnGetMinMaxInfo(UINT, WPARAM, LPARAM lParam, BOOL& handled) {
    handled = FALSE;
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST), &monitor);
    RECT work = monitor.rcWork;
    ::OffsetRect(&work, -monitor.rcMonitor.left, -monitor.rcMonitor.top);
    const RECT maximized = GetMaximizedRect();
    if (maximized.right - maximized.left > 0 && maximized.bottom - maximized.top > 0) {
        info->ptMaxPosition = POINT{maximized.left + work.left, maximized.top + work.top};
        info->ptMaxSize = POINT{maximized.right - maximized.left, maximized.bottom - maximized.top};
    } else {
        info->ptMaxPosition = POINT{work.left, work.top};
        info->ptMaxSize = POINT{work.right - work.left, work.bottom - work.top};
    }
    const RECT shadow = GetShadowPadding();
    const LONG horizontal = shadow.left + shadow.right;
    const LONG vertical = shadow.top + shadow.bottom;
    SetLimit(info->ptMaxTrackSize.x, GetMaxInfo().cx, horizontal);
    SetLimit(info->ptMaxTrackSize.y, GetMaxInfo().cy, vertical);
    SetLimit(info->ptMinTrackSize.x, GetMinInfo().cx, horizontal);
    SetLimit(info->ptMinTrackSize.y, GetMinInfo().cy, vertical);
    return 0;
}

LRESULT WindowImplBase::OnDpiChanged(UINT, WPARAM wParam, LPARAM, BOOL& handled) {
    handled = FALSE;
    DpiManager* dpi = DpiManager::GetInstance();
    if (dpi->IsAdaptDPI()) dpi->SetScale(::MulDiv(LOWORD(wParam), 100, 96));
    if (shadow_.attached && shadow_.box) {
        shadow_.padding = ScaleInsets(shadow_.unscaledPadding);
        shadow_.restorePadding = shadow_.padding;
        shadow_.box->GetLayout()->SetPadding(shadow_.unscaledPadding, true);
    }
    return 0;
}

LRESULT WindowImplBase::OnSize(UINT, WPARAM, LPARAM, BOOL& handled) {
    handled = FALSE;
    const SIZE round = GetRoundCorner();
    if (::IsIconic(hwnd_) || (round.cx == 0 && round.cy == 0)) return 0;
    RECT window{};
    ::GetWindowRect(hwnd_, &window);
    // The window takes ownership of the region.
    const HRGN region = ::CreateRoundRectRgn(0, 0, window.right - window.left + 1, window.bottom - window.top + 1,
                                             round.cx, round.cy);
    ::SetWindowRgn(hwnd_, region, TRUE);
    return 0;
}

LRESULT WindowImplBase::OnSysCommand(UINT message, WPARAM wParam, LPARAM lParam, BOOL&) {
    // The low four bits of a system command are the system's own.
    if ((wParam & 0xFFF0) == SC_CLOSE) {
        ::SendMessageW(hwnd_, WM_CLOSE, 0, 0);
        return 0;
    }
    return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace ui
