#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "base/unique_handle.h"

// Runs the built launcher.exe (or another executable) as a child process for end-to-end tests.
class LauncherProcess {
public:
    // The launcher beside the test executables' build tree.
    static std::wstring LauncherPath();
    // The stand-in game built beside the test executables.
    static std::wstring GamePath();

    // Starts exe with the arguments in working_dir; false when the process cannot start.
    bool Start(const std::wstring& exe, const std::wstring& arguments, const std::wstring& working_dir);
    // The first visible or hidden top-level window of the process with this class, waiting up to timeout_ms.
    HWND WaitForWindow(const wchar_t* class_name, DWORD timeout_ms) const;
    // The exit code, or -1 when the process has not ended within timeout_ms (it is then killed).
    int WaitForExit(DWORD timeout_ms);
    ~LauncherProcess();

    DWORD process_id() const { return process_id_; }

private:
    kbase::ScopedHandle process_;
    DWORD process_id_ = 0;
};

// Polls condition every 50 ms until it holds or timeout_ms has passed; its last answer.
bool WaitFor(const std::function<bool()>& condition, DWORD timeout_ms);
