#include "app/command_line.h"

#include <windows.h>

#include <shellapi.h>

#include <memory>

CommandLineValue CommandLineLanguage;
CommandLineValue CommandLineTextOption;
CommandLineValue CommandLinePlatform;

bool CommandLineValue::Store(const std::wstring& value) {
    if (value.empty() || value.size() > kMaxLength) return false;
    value_ = value;
    given_ = true;
    return true;
}

CommandLine ParseCommandLine(const std::vector<std::wstring>& args) {
    struct Form {
        const wchar_t* word;
        std::size_t count;  // words, the program path included
        CommandLine::Verb verb;
    };
    static constexpr Form kForms[] = {
        {L"replace", 5, CommandLine::Verb::kReplace},
        {L"make_version", 3, CommandLine::Verb::kMakeVersion},
        {L"make_dependence_version", 3, CommandLine::Verb::kMakeDependenceVersion},
        {L"set_language", 3, CommandLine::Verb::kSetLanguage},
        {L"set_language", 4, CommandLine::Verb::kSetLanguage},
        {L"set_platform", 3, CommandLine::Verb::kSetPlatform},
    };
    CommandLine result;
    if (args.size() < 2) return result;
    for (const Form& form : kForms) {
        if (args.size() == form.count && args[1] == form.word) {
            result.verb = form.verb;
            result.values.assign(args.begin() + 2, args.end());
            break;
        }
    }
    return result;
}

std::vector<std::wstring> SplitCommandLine(const wchar_t* commandLine) {
    struct LocalFreeDeleter {
        void operator()(wchar_t** words) const { ::LocalFree(words); }
    };
    std::vector<std::wstring> args;
    if (!commandLine) return args;
    int count = 0;
    std::unique_ptr<wchar_t*, LocalFreeDeleter> words(::CommandLineToArgvW(commandLine, &count));
    if (!words) return args;
    for (int i = 0; i < count; ++i) args.emplace_back(words.get()[i]);
    return args;
}

void StoreCommandLineValues(const CommandLine& commandLine) {
    switch (commandLine.verb) {
        case CommandLine::Verb::kSetLanguage:
            CommandLineLanguage.Store(commandLine.values[0]);
            if (commandLine.values.size() > 1) CommandLineTextOption.Store(commandLine.values[1]);
            break;
        case CommandLine::Verb::kSetPlatform:
            CommandLinePlatform.Store(commandLine.values[0]);
            break;
        default:
            break;
    }
}
