// Posts one message to the running launcher's main window, for scripts that drive the launcher
// from outside (the full-install benchmark): post_to_launcher.exe <message> <w> <l>
// The window is the one whose property "_TVN_LAUNCHER_TW" holds its own handle. Exit code 0 when
// the message was posted, 1 when no launcher window exists, 2 on bad arguments.
#include <windows.h>

#include <cwchar>

namespace {

constexpr wchar_t kLauncherProperty[] = L"_TVN_LAUNCHER_TW";

BOOL CALLBACK FindLauncher(HWND window, LPARAM found) {
    if (::GetPropW(window, kLauncherProperty) != window) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fwprintf(stderr, L"usage: post_to_launcher <message> <w> <l>\n");
        return 2;
    }
    const UINT message = static_cast<UINT>(std::wcstoul(argv[1], nullptr, 10));
    const WPARAM w = static_cast<WPARAM>(std::wcstoll(argv[2], nullptr, 10));
    const LPARAM l = static_cast<LPARAM>(std::wcstoll(argv[3], nullptr, 10));
    HWND launcher = nullptr;
    ::EnumWindows(&FindLauncher, reinterpret_cast<LPARAM>(&launcher));
    return launcher && ::PostMessageW(launcher, message, w, l) ? 0 : 1;
}
