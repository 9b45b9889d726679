// The native side of ui::Window: class registration, the two window procedures, creation,
// closing, showing and centring.
#include "ui/window.h"

#include "ui/box.h"
#include "ui/dpi_manager.h"
#include "ui/timer_manager.h"
#include "ui/window_geometry.h"

namespace ui {
namespace {

// The property that holds the object of a window of a super class.
constexpr wchar_t kObjectProperty[] = L"WndX";
constexpr int kCloseDelayMs = 300;

HINSTANCE ProgramModule() {
    return ::GetModuleHandleW(nullptr);
}

bool Registered(bool succeeded) {
    return succeeded || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

bool Window::RegisterWindowClass() {
    const std::wstring className = GetWindowClassName();
    WNDCLASSW windowClass{};
    windowClass.style = GetClassStyle();
    windowClass.lpfnWndProc = &Window::WindowProc;
    windowClass.hInstance = ProgramModule();
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = className.c_str();
    return Registered(::RegisterClassW(&windowClass) != 0);
}

bool Window::RegisterSuperClass() {
    const std::wstring superName = GetSuperClassName();
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    if (!::GetClassInfoExW(nullptr, superName.c_str(), &windowClass) &&
        !::GetClassInfoExW(ProgramModule(), superName.c_str(), &windowClass)) {
        return false;
    }
    oldWndProc_ = windowClass.lpfnWndProc;
    const std::wstring className = GetWindowClassName();
    windowClass.lpfnWndProc = &Window::SuperClassProc;
    windowClass.hInstance = ProgramModule();
    windowClass.lpszClassName = className.c_str();
    return Registered(::RegisterClassExW(&windowClass) != 0);
}

HWND Window::Create(HWND parent, const wchar_t* windowName, DWORD style, DWORD exStyle, bool layered,
                    const RECT& rect) {
    const bool registered = GetSuperClassName().empty() ? RegisterWindowClass() : RegisterSuperClass();
    if (!registered) return nullptr;
    layered_ = layered;
    if (layered) exStyle |= WS_EX_LAYERED;
    const std::wstring className = GetWindowClassName();
    // A window whose creation fails may have deleted this object (a form's final message):
    // nothing of it is touched without a handle.
    const HWND hwnd = ::CreateWindowExW(exStyle, className.c_str(), windowName, style, rect.left, rect.top,
                                        rect.right - rect.left, rect.bottom - rect.top, parent, nullptr,
                                        ProgramModule(), this);
    if (!hwnd) return nullptr;
    const LONG created = ::GetWindowLongW(hwnd, GWL_STYLE);
    if (created & WS_CAPTION) ::SetWindowLongW(hwnd, GWL_STYLE, created & ~WS_CAPTION);
    return hwnd;
}

LRESULT CALLBACK Window::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = nullptr;
    if (message == WM_NCCREATE) {
        window = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        window->hwnd_ = hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    } else {
        window = reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (message == WM_NCDESTROY && window) {
            const LRESULT result = ::CallWindowProcW(window->oldWndProc_, hwnd, message, wParam, lParam);
            ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            window->ForgetNativeWindow();
            window->OnFinalMessage(hwnd);
            return result;
        }
    }
    return window ? window->HandleMessage(message, wParam, lParam) : ::DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK Window::SuperClassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = nullptr;
    if (message == WM_NCCREATE) {
        window = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        window->hwnd_ = hwnd;
        ::SetPropW(hwnd, kObjectProperty, window);
    } else {
        window = static_cast<Window*>(::GetPropW(hwnd, kObjectProperty));
        if (message == WM_NCDESTROY && window) {
            const LRESULT result = ::CallWindowProcW(window->oldWndProc_, hwnd, message, wParam, lParam);
            ::RemovePropW(hwnd, kObjectProperty);
            window->ForgetNativeWindow();
            window->OnFinalMessage(hwnd);
            return result;
        }
    }
    return window ? window->HandleMessage(message, wParam, lParam) : ::DefWindowProcW(hwnd, message, wParam, lParam);
}

void Window::ForgetNativeWindow() {
    hwnd_ = nullptr;  // no later call may reach a handle that may be reused
    toolTip_.Release();  // an owned window, gone with this one
}

void Window::DetachFromNativeWindow() {
    if (!hwnd_ || !::IsWindow(hwnd_)) return;
    if (::GetPropW(hwnd_, kObjectProperty) == this) ::RemovePropW(hwnd_, kObjectProperty);
    if (::GetWindowLongPtrW(hwnd_, GWLP_USERDATA) == reinterpret_cast<LONG_PTR>(this)) {
        ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    }
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    bool handled = false;
    const LRESULT result = DispatchMessage(message, wParam, lParam, handled);
    if (handled) return result;
    return CallSavedWindowProc(message, wParam, lParam);
}

LRESULT Window::CallSavedWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::CallWindowProcW(oldWndProc_, hwnd_, message, wParam, lParam);
}

void Window::OnFinalMessage(HWND hwnd) {
    using UnregisterTouchWindowFunction = BOOL(WINAPI*)(HWND);
    static const auto unregisterTouchWindow = reinterpret_cast<UnregisterTouchWindowFunction>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("user32.dll"), "UnregisterTouchWindow")));
    if (unregisterTouchWindow) unregisterTouchWindow(hwnd);
    NotifyWindowClose();
}

void Window::Close(UINT code) {
    if (!hwnd_ || !::IsWindow(hwnd_)) return;
    const HWND hwnd = hwnd_;
    if (root_ && IsWindowsVersionAtLeast(0)) {
        root_->SetFadeVisible(false);
        TimerManager::GetInstance()->AddCancelableTimer(
            ObtainWeakFlag(), [hwnd, code] { ::PostMessageW(hwnd, WM_CLOSE, code, 0); }, kCloseDelayMs, 1);
    } else {
        ::PostMessageW(hwnd, WM_CLOSE, code, 0);
    }
}

bool Window::ShowWindow(bool show, bool takeFocus) {
    if (!hwnd_ || !::IsWindow(hwnd_)) return false;
    const int command = !show ? SW_HIDE : takeFocus ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE;
    return ::ShowWindow(hwnd_, command) != FALSE;
}

void Window::CenterWindow() {
    if (!hwnd_) return;
    RECT window{};
    ::GetWindowRect(hwnd_, &window);
    const HWND owner = ::GetWindow(hwnd_, GW_OWNER);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(owner ? owner : hwnd_, MONITOR_DEFAULTTONEAREST), &monitor);
    RECT centre = monitor.rcWork;
    if (owner && !::IsIconic(owner)) ::GetWindowRect(owner, &centre);
    const POINT at = CenteredPosition(window, centre, monitor.rcWork, owner == nullptr);
    ::SetWindowPos(hwnd_, nullptr, at.x, at.y, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace ui
