#pragma once

#include <string>
#include <vector>

// A word handed to the running launcher on its command line: at most kMaxLength characters,
// with a flag that says whether it was given at all.
class CommandLineValue {
public:
    static constexpr std::size_t kMaxLength = 31;

    // Takes value when it is not empty and fits; a longer value is refused whole rather than
    // cut, since a cut language code or platform word would name something else. True when
    // taken.
    bool Store(const std::wstring& value);
    bool given() const { return given_; }
    const std::wstring& value() const { return value_; }

private:
    std::wstring value_;
    bool given_ = false;
};

// Written by the entry point before any other thread exists, only read afterwards.
extern CommandLineValue CommandLineLanguage;    // set_language <code>
extern CommandLineValue CommandLineTextOption;  // set_language <code> <option>
extern CommandLineValue CommandLinePlatform;    // set_platform <word>: replaces "win" for the game

// What the command line asks for. Words are compared exactly, case included, and a verb with
// the wrong number of words is no verb at all.
struct CommandLine {
    enum class Verb {
        kNone,                   // normal start
        kReplace,                // replace <source> <target> <command>: the self-update step
        kMakeVersion,            // make_version <version>
        kMakeDependenceVersion,  // make_dependence_version <version>
        kSetLanguage,            // set_language <code> [<option>]; normal start
        kSetPlatform,            // set_platform <word>; normal start
    };
    Verb verb = Verb::kNone;
    std::vector<std::wstring> values;  // the words after the verb
};

// args are the split command line, the program path first.
CommandLine ParseCommandLine(const std::vector<std::wstring>& args);

// Splits a command line as the system does (quoted words may hold blanks); empty when it
// cannot be split.
std::vector<std::wstring> SplitCommandLine(const wchar_t* commandLine);

// Stores the values of set_language and set_platform; other verbs store nothing.
void StoreCommandLineValues(const CommandLine& commandLine);
