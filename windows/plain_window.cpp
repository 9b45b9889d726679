#include "windows/plain_window.h"

#include "ui/language_table.h"

bool RegisterPlainWindowClass(const wchar_t* className, WNDPROC procedure) {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = className;
    return ::RegisterClassExW(&windowClass) || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void CenterWindow(HWND window, HWND owner) {
    RECT area = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    if (owner && ::IsWindowVisible(owner)) ::GetWindowRect(owner, &area);
    RECT own = {};
    ::GetWindowRect(window, &own);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    ::SetWindowPos(window, nullptr, area.left + (area.right - area.left - width) / 2,
                   area.top + (area.bottom - area.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

HWND CreateChild(HWND parent, const wchar_t* className, DWORD style, int id, const std::wstring& text, int x,
                 int y, int width, int height) {
    return ::CreateWindowExW(0, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
}

std::wstring ResolveText(const BoxText& text) {
    if (!text.isKey) return text.text;
    const std::wstring looked = ui::LanguageTable::GetInstance().GetText(text.text);
    return looked.empty() ? text.text : looked;
}
