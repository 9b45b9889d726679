#include <algorithm>

#include "base/dib_info.h"
#include "tools/browser_runtime/browser.h"
#include "tools/browser_runtime/journal.h"

namespace {

constexpr wchar_t kWindowClass[] = L"ZelCefBrowserWindow";

HINSTANCE ThisModule() {
    HMODULE module = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}

// Paints the page's picture, as an off-screen frame would show it, into the browser's window.
LRESULT CALLBACK BrowserWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = ::BeginPaint(window, &paint);
        auto* browser = reinterpret_cast<Browser*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        RECT client;
        ::GetClientRect(window, &client);
        const int width = std::clamp<int>(client.right, 1, kMaxFrameSide);
        const int height = std::clamp<int>(client.bottom, 1, kMaxFrameSide);
        if (browser) {
            const std::vector<std::uint8_t> pixels = PaintFrame(width, height, browser->Look());
            const BITMAPINFO info = kbase::Rgb32DibInfo(width, height);
            if (!pixels.empty())
                ::SetDIBitsToDevice(dc, 0, 0, width, height, 0, 0, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
        }
        ::EndPaint(window, &paint);
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

void RegisterWindowClass() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = BrowserWindowProc;
    windowClass.hInstance = ThisModule();
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kWindowClass;
    ::RegisterClassExW(&windowClass);  // fails harmlessly once registered
}

}  // namespace

void Browser::CreateNativeWindow() {
    RegisterWindowClass();
    const bool child = windowInfo_.parent_window != nullptr;
    const DWORD style = windowInfo_.style ? windowInfo_.style : (child ? WS_CHILD | WS_VISIBLE : WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND window = ::CreateWindowExW(0, kWindowClass, windowInfo_.window_name.c_str(), style, windowInfo_.x,
                                    windowInfo_.y, windowInfo_.width, windowInfo_.height, windowInfo_.parent_window,
                                    nullptr, ThisModule(), nullptr);
    if (!window) {
        journal::Write(Name() + ": its window was not created (error " + std::to_string(::GetLastError()) + ")");
        return;
    }
    // The window lives no longer than the browser: CloseNow destroys it first.
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    std::lock_guard<std::mutex> hold(lock_);
    window_ = window;
}
