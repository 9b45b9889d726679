#pragma once

#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "browser/runtime/cef_command_line.h"
#include "tools/browser_runtime/ref_counted.h"

// A process's command line: the program, its "--name[=value]" switches and other arguments.
class CommandLine final : public RefCounted<CefCommandLine> {
public:
    // Parsed from a Windows command line text.
    static CefRefPtr<CommandLine> FromText(const std::wstring& text);

    void AppendSwitch(const CefString& name) override;
    void AppendSwitchWithValue(const CefString& name, const CefString& value) override;
    bool HasSwitch(const CefString& name) override;
    CefString GetSwitchValue(const CefString& name) override;
    CefString GetCommandLineString() override;

    // The switches as "--name[=value]" joined by blanks, for the journal.
    std::string DescribeSwitches();

private:
    std::mutex lock_;
    std::wstring program_;
    std::vector<std::pair<std::wstring, std::wstring>> switches_;
    std::vector<std::wstring> arguments_;
};
