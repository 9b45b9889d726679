#include "app/run_program.h"

#include <windows.h>

#include <vector>

#include "base/unique_handle.h"

std::wstring ProgramCommandLine(const std::wstring& program, const std::wstring& arguments) {
    std::wstring command = L"\"" + program + L"\"";
    if (!arguments.empty()) command += L" " + arguments;
    return command;
}

bool RunProgram(const std::wstring& program, const std::wstring& arguments,
                const std::wstring& workingFolder) {
    return StartProgram(program, arguments, workingFolder, SW_SHOW, 0);
}

bool StartProgram(const std::wstring& program, const std::wstring& arguments, const std::wstring& workingFolder,
                  int showCommand, unsigned long creationFlags) {
    if (program.empty()) return false;
    const std::wstring command = ProgramCommandLine(program, arguments);
    // CreateProcessW may write into the command line, so it gets its own buffer.
    std::vector<wchar_t> buffer(command.begin(), command.end());
    buffer.push_back(L'\0');
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCommand);
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessW(program.c_str(), buffer.data(), nullptr, nullptr, FALSE, creationFlags, nullptr,
                          workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &process)) {
        return false;
    }
    kbase::ScopedHandle thread(process.hThread);
    kbase::ScopedHandle child(process.hProcess);
    return true;
}
