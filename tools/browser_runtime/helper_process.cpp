#include "tools/browser_runtime/helper_process.h"

#include <windows.h>

#include <string>

#include "base/unique_handle.h"
#include "tools/browser_runtime/journal.h"

namespace helper_process {
namespace {

kbase::ScopedHandle helperProcess;
kbase::ScopedHandle stopEvent;

std::wstring StopEventName(DWORD browserProcessId) {
    return L"Local\\zel_cef_helper_stop_" + std::to_wstring(browserProcessId);
}

}  // namespace

bool Start(const std::wstring& path, const std::wstring& logFile, CefRefPtr<CefBrowserProcessHandler> handler) {
    const DWORD self = ::GetCurrentProcessId();
    stopEvent.Reset(::CreateEventW(nullptr, TRUE, FALSE, StopEventName(self).c_str()));
    CefRefPtr<CommandLine> line = CommandLine::FromText(L"\"" + path + L"\"");
    line->AppendSwitchWithValue("type", "utility");
    line->AppendSwitchWithValue("parent-process", std::to_wstring(self));
    line->AppendSwitchWithValue("log-file", logFile);
    if (handler) {
        journal::Write("-> OnBeforeChildProcessLaunch(" + line->DescribeSwitches() + ")");
        handler->OnBeforeChildProcessLaunch(line.get());
    }
    std::wstring text = line->GetCommandLineString().ToWString();
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(path.c_str(), text.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        journal::Write("helper " + CefString(path).ToString() + " did not start (error " +
                       std::to_string(::GetLastError()) + ")");
        return false;
    }
    ::CloseHandle(process.hThread);
    helperProcess.Reset(process.hProcess);
    journal::Write("helper started: process " + std::to_string(process.dwProcessId) + ", " +
                   CefString(text).ToString());
    return true;
}

void Stop() {
    if (stopEvent) ::SetEvent(stopEvent.Get());
    if (helperProcess) {
        if (::WaitForSingleObject(helperProcess.Get(), 5000) != WAIT_OBJECT_0) {
            journal::Write("helper did not end in time: ended");
            ::TerminateProcess(helperProcess.Get(), 1);
        }
        DWORD code = 0;
        ::GetExitCodeProcess(helperProcess.Get(), &code);
        journal::Write("helper ended with " + std::to_string(code));
    }
    helperProcess.Reset();
    stopEvent.Reset();
}

int Run(CefRefPtr<CommandLine> commandLine) {
    const DWORD parent = static_cast<DWORD>(std::wcstoul(commandLine->GetSwitchValue("parent-process").c_str(), nullptr, 10));
    kbase::ScopedHandle parentProcess(::OpenProcess(SYNCHRONIZE, FALSE, parent));
    kbase::ScopedHandle stop(::OpenEventW(SYNCHRONIZE, FALSE, StopEventName(parent).c_str()));
    if (!parentProcess || !stop) {
        journal::Write("helper: no browser process " + std::to_string(parent) + " to serve");
        return 1;
    }
    journal::Write("helper: serving browser process " + std::to_string(parent));
    HANDLE waits[] = {parentProcess.Get(), stop.Get()};
    const DWORD woke = ::WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    journal::Write(woke == WAIT_OBJECT_0 ? "helper: the browser process has ended" : "helper: told to end");
    return 0;
}

}  // namespace helper_process
