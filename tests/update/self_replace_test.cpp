#include "update/self_replace.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <list>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/file_util.h"
#include "app/json_util.h"
#include "app/run_program.h"
#include "base/path_util.h"
#include "base/unique_handle.h"
#include "tests/update/working_folder.h"
#include "update/embedded_fonts.h"

namespace {

TEST(SelfReplaceArguments, TheCopyReadsEveryValueBackWhole) {
    struct Case {
        std::wstring source;
        std::wstring target;
        std::wstring command;
    } const cases[] = {
        {L".\\update\\launcher.exe", L".\\launcher.exe", L".\\launcher.exe"},
        {L"", L"", L""},
        {L"C:\\Program Files\\Tarvenor\\update\\launcher.exe", L"C:\\Program Files\\Tarvenor\\launcher.exe", L""},
        // A trailing backslash would otherwise escape the closing quote and swallow the rest.
        {L"a folder\\", L"b\\\\", L"c \\\" d"},
        {std::wstring(300, L'x'), L"t", L"c"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.source));
        const std::wstring commandLine =
            ProgramCommandLine(L".\\launcher_temp.exe", SelfReplaceArguments(c.source, c.target, c.command));

        const CommandLine parsed = ParseCommandLine(SplitCommandLine(commandLine.c_str()));

        EXPECT_EQ(parsed.verb, CommandLine::Verb::kReplace);
        EXPECT_EQ(parsed.values, (std::vector<std::wstring>{c.source, c.target, c.command}));
    }
}

// Polls condition every 50 ms until it holds or timeoutMs have passed; its last answer.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    while (!condition()) {
        if (::GetTickCount64() >= end) return condition();
        ::Sleep(50);
    }
    return true;
}

// A process that never runs, standing in for the launcher that starts the copy: the copy's
// parent until the test ends it.
class StandInLauncher {
public:
    StandInLauncher() {
        std::wstring shell(MAX_PATH, L'\0');
        shell.resize(::GetSystemDirectoryW(shell.data(), MAX_PATH));
        shell += L"\\cmd.exe";
        std::wstring commandLine = L"\"" + shell + L"\" /c exit";
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION info = {};
        if (::CreateProcessW(shell.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                             CREATE_SUSPENDED | CREATE_NO_WINDOW, nullptr, nullptr, &startup, &info)) {
            thread_.Reset(info.hThread);
            process_.Reset(info.hProcess);
        }
    }
    ~StandInLauncher() { End(); }

    HANDLE handle() const { return process_.Get(); }
    void End() {
        if (process_) ::TerminateProcess(process_.Get(), 0);
    }

private:
    kbase::ScopedHandle thread_;
    kbase::ScopedHandle process_;
};

// Starts exe with the arguments as a child of parent.
kbase::ScopedHandle StartWithParent(const std::wstring& exe, const std::wstring& arguments, HANDLE parent) {
    SIZE_T size = 0;
    ::InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
    std::vector<char> storage(size);
    auto* attributes = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(storage.data());
    if (!::InitializeProcThreadAttributeList(attributes, 1, 0, &size)) return kbase::ScopedHandle();
    kbase::ScopedHandle process;
    if (::UpdateProcThreadAttribute(attributes, 0, PROC_THREAD_ATTRIBUTE_PARENT_PROCESS, &parent, sizeof(parent),
                                    nullptr, nullptr)) {
        STARTUPINFOEXW startup = {};
        startup.StartupInfo.cb = sizeof(startup);
        startup.lpAttributeList = attributes;
        std::wstring commandLine = ProgramCommandLine(exe, arguments);
        PROCESS_INFORMATION info = {};
        if (::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, EXTENDED_STARTUPINFO_PRESENT,
                             nullptr, nullptr, &startup.StartupInfo, &info)) {
            ::CloseHandle(info.hThread);
            process.Reset(info.hProcess);
        }
    }
    ::DeleteProcThreadAttributeList(attributes);
    return process;
}

// Sets an environment variable for the children started in this scope.
class ScopedEnvironment {
public:
    ScopedEnvironment(const wchar_t* name, const std::wstring& value) : name_(name) {
        ::SetEnvironmentVariableW(name, value.c_str());
    }
    ~ScopedEnvironment() { ::SetEnvironmentVariableW(name_, nullptr); }

private:
    const wchar_t* name_;
};

std::list<std::string> Listed(const char* path) {
    std::list<std::string> names;
    ReadStringListFile(path, names);
    return names;
}

TEST(ReplaceStep, WaitsForTheLauncherThenInstallsWhatWaitsAndDeletesItself) {
    ScopedWorkingFolder folder;
    const std::wstring tests = kbase::GetOwnModuleDirectory();
    const std::wstring copy = folder.Child(L"launcher_temp.exe");
    ASSERT_TRUE(::CopyFileW((tests + L"..\\app\\launcher.exe").c_str(), copy.c_str(), FALSE));
    ASSERT_TRUE(::CopyFileW((tests + L"KORU.exe").c_str(), folder.Child(L"KORU.exe").c_str(), FALSE));
    folder.Write(L"launcher.exe", "old launcher");
    folder.Write(L"update\\launcher.exe", "new launcher");
    folder.Write(L"cef\\a.dll", "old a");
    folder.Write(L"update\\cef\\a.dll", "new a");
    folder.Write(L"update\\cef_update.txt", R"(["cef/a.dll", "cef/lost.dll"])");
    folder.Write(L"launcher_version_map.txt",
                 R"({"version": "1_0_2", "list": {"launcher.exe": {"md5": "", "size": 12},
                     "cef/a.dll": {"md5": "", "size": 5}, "cef/lost.dll": {"md5": "", "size": 4}}})");
    // The copy installs fonts into the system's fonts folder: a name of this test's own.
    const std::string font = "tvn_replace_test_" + std::to_string(::GetCurrentProcessId()) + ".ttf";
    const std::wstring wideFont(font.begin(), font.end());
    const std::wstring systemFont = SystemFontPlace().folder + L"\\" + wideFont;
    folder.Write(L"update\\" + wideFont, "new font");
    folder.Write(L"update\\font_update.txt", "[\"" + font + "\"]");
    const std::wstring gameLog = folder.Child(L"koru.log");
    const ScopedEnvironment log(L"KORU_LOG", gameLog);
    const ScopedEnvironment quit(L"KORU_TIMEOUT_MS", L"1000");

    StandInLauncher launcher;
    ASSERT_NE(launcher.handle(), nullptr);
    const kbase::ScopedHandle replace =
        StartWithParent(copy, SelfReplaceArguments(L".\\update\\launcher.exe", L".\\launcher.exe", L".\\KORU.exe"),
                        launcher.handle());
    ASSERT_TRUE(replace);

    // Nothing is touched while the launcher runs.
    EXPECT_EQ(::WaitForSingleObject(replace.Get(), 1500), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_EQ(folder.Read(L"launcher.exe"), "old launcher");
    EXPECT_EQ(folder.Read(L"cef\\a.dll"), "old a");
    launcher.End();
    ASSERT_EQ(::WaitForSingleObject(replace.Get(), 60000), static_cast<DWORD>(WAIT_OBJECT_0));
    DWORD exitCode = 1;
    ::GetExitCodeProcess(replace.Get(), &exitCode);
    std::string installedFont;
    ReadFileToStringW(systemFont, installedFont);
    ::DeleteFileW(systemFont.c_str());

    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(folder.Read(L"launcher.exe"), "new launcher");
    EXPECT_TRUE(folder.Exists(L"update\\launcher.exe"));  // kept until the next update
    EXPECT_EQ(folder.Read(L"cef\\a.dll"), "new a");
    EXPECT_FALSE(folder.Exists(L"update\\cef\\a.dll"));
    EXPECT_EQ(Listed(".\\update\\cef_update.txt"), std::list<std::string>{"cef/lost.dll"});
    EXPECT_EQ(installedFont, "new font");
    EXPECT_EQ(folder.Read(wideFont), "new font");
    EXPECT_FALSE(folder.Exists(L"update\\font_update.txt"));
    // What could not be installed is fetched again by the next start.
    Json::Value map;
    std::string errors;
    ASSERT_TRUE(ReadJsonFile(".\\launcher_version_map.txt", map, errors)) << errors;
    EXPECT_FALSE(map["list"].isMember("cef/lost.dll"));
    EXPECT_TRUE(map["list"].isMember("cef/a.dll"));
    EXPECT_TRUE(map["list"].isMember("launcher.exe"));
    // The command ran, in the launcher's folder, and the copy is gone.
    EXPECT_TRUE(WaitFor([&] { return folder.Exists(L"koru.log"); }, 20000));
    EXPECT_TRUE(WaitFor([&] { return !folder.Exists(L"launcher_temp.exe"); }, 20000));
    // The stand-in game quits by itself; the folder goes once it has.
    WaitFor([&] { return ::DeleteFileW(folder.Child(L"KORU.exe").c_str()) != FALSE; }, 20000);
}

}  // namespace
