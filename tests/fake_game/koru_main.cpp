// A stand-in for the game in the launcher's end-to-end tests: a top-level window of the game's
// class that holds the game's mutex, finds the launcher's main window by its property,
// registers with it and asks it once for everything it answers, and logs what it was started
// with and every launcher message it receives to the file named by KORU_LOG. It ends on
// WM_CLOSE or after KORU_TIMEOUT_MS milliseconds (60 s by default).
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "base/string_conversions.h"
#include "base/unique_handle.h"

namespace {

constexpr wchar_t kClassName[] = L"UnityWndClass";
constexpr wchar_t kLauncherProperty[] = L"_TVN_LAUNCHER_TW";
constexpr wchar_t kGameProperty[] = L"_TVN_GAME_TW";
constexpr UINT kFirstLauncherMessage = 2025;
constexpr UINT kLastLauncherMessage = 3025;
constexpr UINT kRegister = 2525;
constexpr UINT kPing = 2532;
constexpr UINT kQueries[] = {2526, 2528, 2530, kPing};
constexpr UINT_PTR kFindTimer = 1;
constexpr UINT_PTR kQuitTimer = 2;

std::wstring ReadEnvironment(const wchar_t* name) {
    wchar_t buffer[1024] = {};
    const DWORD length = ::GetEnvironmentVariableW(name, buffer, 1024);
    return length > 0 && length < 1024 ? std::wstring(buffer, length) : std::wstring();
}

// One line per call, opened and closed each time so that a test can read the file meanwhile.
void Log(const std::wstring& line) {
    const std::wstring path = ReadEnvironment(L"KORU_LOG");
    if (path.empty()) return;
    std::string utf8;
    kbase::WideToUtf8(line + L"\n", utf8);
    kbase::ScopedFileHandle file(::CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                               nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (file) ::WriteFile(file.Get(), utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

HWND FindLauncherWindow() {
    for (HWND window = ::GetWindow(::GetDesktopWindow(), GW_CHILD); window; window = ::GetWindow(window, GW_HWNDNEXT)) {
        if (::GetPropW(window, kLauncherProperty) == static_cast<HANDLE>(window)) return window;
    }
    return nullptr;
}

void RegisterWithLauncher(HWND game) {
    HWND launcher = FindLauncherWindow();
    if (!launcher) return;
    ::KillTimer(game, kFindTimer);
    Log(L"registered");
    ::PostMessageW(launcher, kRegister, 0, reinterpret_cast<LPARAM>(game));
    for (UINT query : kQueries) ::PostMessageW(launcher, query, 0, 0);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message >= kFirstLauncherMessage && message <= kLastLauncherMessage) {
        wchar_t line[96];
        std::swprintf(line, 96, L"message %u %llu %lld", message, static_cast<unsigned long long>(w),
                      static_cast<long long>(l));
        Log(line);
        return message == kPing ? 1 : 0;
    }
    switch (message) {
        case WM_CREATE:
            ::SetPropW(window, kGameProperty, window);
            return 0;
        case WM_PAINT: {
            // Its name on a plain face, so that a screenshot shows which window is the game.
            PAINTSTRUCT paint;
            HDC dc = ::BeginPaint(window, &paint);
            RECT client;
            ::GetClientRect(window, &client);
            ::DrawTextW(dc, L"Tarvenor sample game", -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            ::EndPaint(window, &paint);
            return 0;
        }
        case WM_TIMER:
            if (w == kFindTimer) RegisterWithLauncher(window);
            if (w == kQuitTimer) ::DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            ::RemovePropW(window, kGameProperty);
            ::PostQuitMessage(0);
            return 0;
        default:
            return ::DefWindowProcW(window, message, w, l);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    kbase::ScopedHandle mutex(::CreateMutexW(nullptr, FALSE, L"_Koru_Instance_"));
    wchar_t folder[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, folder);
    Log(std::wstring(L"cmdline ") + ::GetCommandLineW());
    Log(std::wstring(L"cwd ") + folder);

    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kClassName;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    ::RegisterClassExW(&windowClass);
    HWND window = ::CreateWindowExW(0, kClassName, L"KORU", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 320,
                                    200, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    ::ShowWindow(window, SW_SHOWNOACTIVATE);
    const std::wstring timeout = ReadEnvironment(L"KORU_TIMEOUT_MS");
    ::SetTimer(window, kFindTimer, 100, nullptr);
    ::SetTimer(window, kQuitTimer, timeout.empty() ? 60000 : static_cast<UINT>(std::wcstoul(timeout.c_str(), nullptr, 10)),
               nullptr);

    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    Log(L"exit");
    return 0;
}
