#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "app/ui_seam.h"

// Helpers of the launcher's plain Win32 windows.

// The style of every launcher window: caption, system menu, sizing frame, minimise box.
inline constexpr DWORD kLauncherWindowStyle = 0xCE0000;

// Registers the class once per process; true when it is registered afterwards.
bool RegisterPlainWindowClass(const wchar_t* className, WNDPROC procedure);

// Centres window over owner, or on the screen without an owner.
void CenterWindow(HWND window, HWND owner);

// A child control (class "BUTTON", "STATIC", ...) with the given id and text.
HWND CreateChild(HWND parent, const wchar_t* className, DWORD style, int id, const std::wstring& text, int x,
                 int y, int width, int height);

// The text to show: a key is looked up in the language table and shown itself when the table
// has no text for it, so that a box never comes up blank.
std::wstring ResolveText(const BoxText& text);

// Windows that own an object: CreateOwningWindow hands the object to the new window, which
// takes it in WM_NCCREATE; WindowObject returns it from then on, and DeleteWindowObject (in
// WM_NCDESTROY) deletes it. An object the window never took stays with the caller.
template <class T>
HWND CreateOwningWindow(std::unique_ptr<T>& object, const wchar_t* className, const std::wstring& caption,
                        HWND owner, int width, int height) {
    return ::CreateWindowExW(0, className, caption.c_str(), kLauncherWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                             width, height, owner, nullptr, ::GetModuleHandleW(nullptr), &object);
}

template <class T>
T* WindowObject(HWND window, UINT message, LPARAM l) {
    if (message == WM_NCCREATE) {
        auto* handed = static_cast<std::unique_ptr<T>*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(handed->release()));
    }
    return reinterpret_cast<T*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
}

template <class T>
void DeleteWindowObject(HWND window) {
    std::unique_ptr<T> owned(reinterpret_cast<T*>(::GetWindowLongPtrW(window, GWLP_USERDATA)));
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
}
