#include "tests/app/launcher_process.h"

#include <vector>

#include "base/path_util.h"

std::wstring LauncherProcess::LauncherPath() { return kbase::GetOwnModuleDirectory() + L"..\\app\\launcher.exe"; }

std::wstring LauncherProcess::GamePath() { return kbase::GetOwnModuleDirectory() + L"KORU.exe"; }

bool LauncherProcess::Start(const std::wstring& exe, const std::wstring& arguments, const std::wstring& working_dir) {
    std::wstring command = L"\"" + exe + L"\"";
    if (!arguments.empty()) command += L" " + arguments;
    std::vector<wchar_t> buffer(command.begin(), command.end());
    buffer.push_back(L'\0');
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!::CreateProcessW(exe.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          working_dir.empty() ? nullptr : working_dir.c_str(), &startup, &info)) {
        return false;
    }
    ::CloseHandle(info.hThread);
    process_.Reset(info.hProcess);
    process_id_ = info.dwProcessId;
    return true;
}

HWND LauncherProcess::WaitForWindow(const wchar_t* class_name, DWORD timeout_ms) const {
    const ULONGLONG deadline = ::GetTickCount64() + timeout_ms;
    do {
        for (HWND window = ::FindWindowExW(nullptr, nullptr, class_name, nullptr); window;
             window = ::FindWindowExW(nullptr, window, class_name, nullptr)) {
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            if (owner == process_id_) return window;
        }
        ::Sleep(50);
    } while (::GetTickCount64() < deadline);
    return nullptr;
}

int LauncherProcess::WaitForExit(DWORD timeout_ms) {
    if (!process_) return -1;
    if (::WaitForSingleObject(process_.Get(), timeout_ms) != WAIT_OBJECT_0) {
        ::TerminateProcess(process_.Get(), 1);
        ::WaitForSingleObject(process_.Get(), 5000);
        process_.Reset();
        return -1;
    }
    DWORD code = 0;
    ::GetExitCodeProcess(process_.Get(), &code);
    process_.Reset();
    return static_cast<int>(code);
}

LauncherProcess::~LauncherProcess() {
    if (process_) WaitForExit(0);
}

bool WaitFor(const std::function<bool()>& condition, DWORD timeout_ms) {
    const ULONGLONG deadline = ::GetTickCount64() + timeout_ms;
    while (!condition()) {
        if (::GetTickCount64() >= deadline) return condition();
        ::Sleep(50);
    }
    return true;
}
