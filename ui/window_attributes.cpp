// The settings of a skin's window element: sizes, bands, limits and the shadow.
#include "ui/window.h"

#include <cwchar>

#include "ui/attribute_values.h"
#include "ui/dpi_manager.h"
#include "ui/global_manager.h"
#include "ui/language_table.h"
#include "ui/window_geometry.h"

namespace ui {
namespace {

// A limit of a size: 0 stays "no limit", anything else gets the shadow of its axis.
LONG WithShadow(int value, LONG before, LONG after) {
    return value == 0 ? 0 : value + before + after;
}

SIZE SizeLimit(int cx, int cy, bool scaleForDpi, const RECT& shadow) {
    if (scaleForDpi) {
        const DpiManager* dpi = DpiManager::GetInstance();
        cx = dpi->ScaleInt(cx);
        cy = dpi->ScaleInt(cy);
    }
    return SIZE{WithShadow(cx, shadow.left, shadow.right), WithShadow(cy, shadow.top, shadow.bottom)};
}

}  // namespace

void Window::SetWindowAttribute(const std::wstring& name, const std::wstring& value) {
    if (name == L"size") {
        const SIZE size = ParseSize(value);
        SetInitSize(size.cx, size.cy);
    } else if (name == L"edging") {
        SetEdging(ParseRect(value));
    } else if (name == L"expand") {
        const SIZE less = ParseSize(value);
        ExpandToOwner(less.cx, less.cy);
    } else if (name == L"heightpercent") {
        SetHeightPercent(std::wcstod(value.c_str(), nullptr));
    } else if (name == L"sizebox") {
        SetSizeBox(ParseRect(value));
    } else if (name == L"caption") {
        SetCaptionRect(ParseRect(value));
    } else if (name == L"textid") {
        SetTextId(value);
    } else if (name == L"roundcorner") {
        const SIZE round = ParseSize(value);
        SetRoundCorner(round.cx, round.cy);
    } else if (name == L"mininfo") {
        const SIZE size = ParseSize(value);
        SetMinInfo(size.cx, size.cy);
    } else if (name == L"maxinfo") {
        const SIZE size = ParseSize(value);
        SetMaxInfo(size.cx, size.cy);
    } else if (name == L"shadowattached") {
        SetShadowAttached(ParseBool(value));
    } else if (name == L"shadowimage") {
        SetShadowImage(value);
    } else if (name == L"shadowcorner") {
        SetShadowCorner(ParseRect(value));
    } else if (name == L"alphafixcorner" || name == L"custom_shadow") {
        SetAlphaFixCorner(ParseRect(value));
    }
}

void Window::SetInitSize(int cx, int cy, bool /*containShadow*/, bool scaleForDpi) {
    if (scaleForDpi) {
        const DpiManager* dpi = DpiManager::GetInstance();
        cy = dpi->ScaleInt(cy);
        cx = dpi->ScaleInt(cx);
    }
    const RECT shadow = GetShadowPadding();
    ApplyInitSize(SIZE{cx + shadow.left + shadow.right, cy + shadow.top + shadow.bottom});
}

void Window::ApplyInitSize(SIZE size) {
    if (initSize_.cx != 0 && initSize_.cy != 0) designSize_ = initSize_;
    initSize_ = size;
    ResizeToInitSize();
}

void Window::ResizeToInitSize() {
    if (!hwnd_ || root_) return;
    ::SetWindowPos(hwnd_, nullptr, 0, 0, initSize_.cx, initSize_.cy, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
}

void Window::ExpandToOwner(int dx, int dy) {
    if (!hwnd_) return;
    HWND top = ::GetWindow(hwnd_, GW_OWNER);
    if (!top) return;
    while (const HWND up = ::GetParent(top)) top = up;
    for (Window* owner : GlobalManager::GetWindowList()) {
        if (owner->GetHWND() != top) continue;
        RECT ownerRect{};
        ::GetWindowRect(top, &ownerRect);
        const RECT ownerShadow = owner->GetShadowPadding();
        const RECT shadow = GetShadowPadding();
        ApplyInitSize(SIZE{ownerRect.right - ownerRect.left - ownerShadow.left - ownerShadow.right + shadow.left +
                               shadow.right - dx,
                           ownerRect.bottom - ownerRect.top - ownerShadow.top - ownerShadow.bottom + shadow.top +
                               shadow.bottom - dy});
        return;
    }
}

void Window::SetHeightPercent(double percent) {
    heightPercent_ = percent;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(hwnd_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT shadow = GetShadowPadding();
    const LONG vertical = shadow.top + shadow.bottom;
    const LONG horizontal = shadow.left + shadow.right;
    const int height = HeightFromWorkArea(monitor.rcWork.bottom - monitor.rcWork.top, percent,
                                          minInfo_.cy == 0 ? 0 : minInfo_.cy - vertical,
                                          maxInfo_.cy == 0 ? 0 : maxInfo_.cy - vertical);
    ApplyInitSize(SIZE{initSize_.cx != 0 ? initSize_.cx : horizontal, height + vertical});
}

void Window::SetEdging(RECT edging, bool scaleForDpi) {
    edging_ = scaleForDpi ? ScaleInsets(edging) : edging;
}

void Window::SetCaptionRect(RECT caption, bool scaleForDpi) {
    caption_ = scaleForDpi ? ScaleInsets(caption) : caption;
}

void Window::SetTextId(const std::wstring& id) {
    if (hwnd_) ::SetWindowTextW(hwnd_, LanguageTable::GetInstance().GetText(id).c_str());
}

void Window::SetRoundCorner(int cx, int cy, bool scaleForDpi) {
    const DpiManager* dpi = DpiManager::GetInstance();
    roundCorner_ = scaleForDpi ? SIZE{dpi->ScaleInt(cx), dpi->ScaleInt(cy)} : SIZE{cx, cy};
}

void Window::SetMinInfo(int cx, int cy, bool scaleForDpi) {
    minInfo_ = SizeLimit(cx, cy, scaleForDpi, GetShadowPadding());
}

void Window::SetMaxInfo(int cx, int cy, bool scaleForDpi) {
    maxInfo_ = SizeLimit(cx, cy, scaleForDpi, GetShadowPadding());
}

void Window::SetShadowImage(const std::wstring& image) {
    shadow_.image = image;
    shadow_.defaultImage = false;
}

void Window::SetShadowCorner(RECT corner) {
    shadow_.unscaledPadding = corner;
    shadow_.padding = ScaleInsets(corner);
    shadow_.restorePadding = shadow_.padding;
}

void Window::SetAlphaFixCorner(RECT corner, bool scaleForDpi) {
    alphaFixCorner_ = scaleForDpi ? ScaleInsets(corner) : corner;
}

}  // namespace ui
