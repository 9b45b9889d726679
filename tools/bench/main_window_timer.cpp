// Times the launcher's main window from outside, for tools/bench/main_window_bench.sh:
//   main_window_timer.exe <launcher.exe> <repaints>
// Starts the launcher, waits until its main window (the window whose property
// "_TVN_LAUNCHER_TW" holds its own handle) is visible with nothing left to paint, and prints
// "cold_start_ms <ms>"; then repaints the whole window repaints times (invalidate, then a
// synchronous paint on the launcher's UI thread) and prints "repaint_ms <ms per repaint>".
// Ends the launcher with message 2028. Exit code 1 when no window came within 60 s.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

constexpr wchar_t kLauncherProperty[] = L"_TVN_LAUNCHER_TW";
constexpr UINT kMsgExitLauncher = 2028;
constexpr ULONGLONG kWindowTimeoutMs = 60000;

BOOL CALLBACK FindLauncher(HWND window, LPARAM found) {
    if (::GetPropW(window, kLauncherProperty) != window) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency{};
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now() {
    LARGE_INTEGER now{};
    ::QueryPerformanceCounter(&now);
    return now;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fwprintf(stderr, L"usage: main_window_timer <launcher.exe> <repaints>\n");
        return 2;
    }
    const int repaints = static_cast<int>(std::wcstol(argv[2], nullptr, 10));
    std::wstring command = L"\"" + std::wstring(argv[1]) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    const LARGE_INTEGER start = Now();
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        std::fwprintf(stderr, L"main_window_timer: cannot start the launcher\n");
        return 1;
    }
    ::CloseHandle(process.hThread);
    HWND window = nullptr;
    const ULONGLONG deadline = ::GetTickCount64() + kWindowTimeoutMs;
    // Painted: visible, and no part of it waits for a paint any more.
    while (!window || !::IsWindowVisible(window) || ::GetUpdateRect(window, nullptr, FALSE)) {
        if (::GetTickCount64() >= deadline) {
            std::fwprintf(stderr, L"main_window_timer: no painted main window\n");
            ::TerminateProcess(process.hProcess, 1);
            ::CloseHandle(process.hProcess);
            return 1;
        }
        if (!window) ::EnumWindows(&FindLauncher, reinterpret_cast<LPARAM>(&window));
        ::Sleep(1);
    }
    std::printf("cold_start_ms %.1f\n", Milliseconds(start, Now()));

    const LARGE_INTEGER paintStart = Now();
    for (int i = 0; i < repaints; ++i) {
        ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    if (repaints > 0) std::printf("repaint_ms %.2f\n", Milliseconds(paintStart, Now()) / repaints);

    ::PostMessageW(window, kMsgExitLauncher, 0, 0);
    if (::WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0) ::TerminateProcess(process.hProcess, 1);
    ::CloseHandle(process.hProcess);
    return 0;
}
