#include "tools/browser_runtime/command_line.h"

#include <windows.h>
#include <shellapi.h>

#include <memory>

namespace {

struct LocalFreeDeleter {
    void operator()(wchar_t** block) const { ::LocalFree(block); }
};

std::wstring Quoted(const std::wstring& text) {
    return text.find_first_of(L" \t\"") == std::wstring::npos && !text.empty() ? text : L"\"" + text + L"\"";
}

}  // namespace

CefRefPtr<CommandLine> CommandLine::FromText(const std::wstring& text) {
    CefRefPtr<CommandLine> line = new CommandLine();
    int count = 0;
    std::unique_ptr<wchar_t*, LocalFreeDeleter> words(::CommandLineToArgvW(text.c_str(), &count));
    for (int index = 0; words && index < count; ++index) {
        const std::wstring word = words.get()[index];
        if (index == 0) {
            line->program_ = word;
        } else if (word.size() > 2 && word.compare(0, 2, L"--") == 0) {
            const std::size_t equals = word.find(L'=');
            line->switches_.emplace_back(word.substr(2, equals == std::wstring::npos ? equals : equals - 2),
                                         equals == std::wstring::npos ? L"" : word.substr(equals + 1));
        } else {
            line->arguments_.push_back(word);
        }
    }
    return line;
}

void CommandLine::AppendSwitch(const CefString& name) { AppendSwitchWithValue(name, CefString()); }

void CommandLine::AppendSwitchWithValue(const CefString& name, const CefString& value) {
    std::lock_guard<std::mutex> hold(lock_);
    switches_.emplace_back(name.ToWString(), value.ToWString());
}

bool CommandLine::HasSwitch(const CefString& name) {
    std::lock_guard<std::mutex> hold(lock_);
    for (const auto& entry : switches_)
        if (entry.first == name.ToWString()) return true;
    return false;
}

CefString CommandLine::GetSwitchValue(const CefString& name) {
    std::lock_guard<std::mutex> hold(lock_);
    for (const auto& entry : switches_)
        if (entry.first == name.ToWString()) return entry.second;
    return CefString();
}

CefString CommandLine::GetCommandLineString() {
    std::lock_guard<std::mutex> hold(lock_);
    std::wstring text = Quoted(program_);
    for (const auto& [name, value] : switches_) text += L" " + Quoted(L"--" + name + (value.empty() ? L"" : L"=" + value));
    for (const std::wstring& argument : arguments_) text += L" " + Quoted(argument);
    return text;
}

std::string CommandLine::DescribeSwitches() {
    std::lock_guard<std::mutex> hold(lock_);
    std::wstring text;
    for (const auto& [name, value] : switches_)
        text += (text.empty() ? L"--" : L" --") + name + (value.empty() ? L"" : L"=" + value);
    return CefString(text).ToString();
}
