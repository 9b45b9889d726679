#include "update/self_replace.h"

#include <windows.h>

#include <shlobj.h>

#include <atomic>
#include <list>

#include "app/run_program.h"
#include "app/self_update_seam.h"
#include "app/safe_path.h"
#include "base/path_util.h"
#include "update/deferred_updates.h"
#include "update/embedded_fonts.h"
#include "update/atomic_copy.h"
#include "update/parent_process.h"

namespace {

constexpr const wchar_t* kLauncherExe = kLauncherRestartCommand;
constexpr wchar_t kTemporaryCopy[] = L".\\launcher_temp.exe";
constexpr wchar_t kNewLauncherExe[] = L".\\update\\launcher.exe";

// One argument as the system's command-line splitter reads it back: backslashes double only
// where a quote follows them.
std::wstring QuoteArgument(const std::wstring& value) {
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : value) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L"\"";
}

std::wstring SystemDirectory() {
    const UINT length = ::GetSystemDirectoryW(nullptr, 0);
    std::wstring folder(length, L'\0');
    const UINT written = length ? ::GetSystemDirectoryW(folder.data(), length) : 0;
    folder.resize(written < length ? written : 0);
    return folder;
}

// The version-map key of a path below the launcher's folder; empty for any other path.
std::string LauncherMapKey(const std::wstring& path) {
    std::wstring relative = path;
    if (relative.rfind(L".\\", 0) == 0) relative.erase(0, 2);
    const std::string key = kbase::Utf8Path(relative);
    return IsSafeRelativePath(key) ? key : std::string();
}

}  // namespace

std::wstring SelfReplaceArguments(const std::wstring& source, const std::wstring& target,
                                  const std::wstring& command) {
    return L"replace " + QuoteArgument(source) + L" " + QuoteArgument(target) + L" " + QuoteArgument(command);
}

bool StartSelfReplace(const std::wstring& restartCommand, bool exeReplaced) {
    static std::atomic<bool> started{false};
    if (started.exchange(true)) return false;
    if (!::CopyFileW(kLauncherExe, kTemporaryCopy, FALSE)) return false;
    const std::wstring source = exeReplaced ? kNewLauncherExe : L"";
    const std::wstring target = exeReplaced ? kLauncherExe : L"";
    return RunProgram(kTemporaryCopy, SelfReplaceArguments(source, target, restartCommand), L"");
}

void RunReplaceStep(const std::wstring& source, const std::wstring& target, const std::wstring& command) {
    WaitForParentExit(kParentExitWaitMs);
    std::list<std::string> notInstalled;
    if (!source.empty() && !target.empty() && !CopyFileAtomic(source, target, kTargetReplaceRetryMs)) {
        if (const std::string key = LauncherMapKey(target); !key.empty()) notInstalled.push_back(key);
    }
    notInstalled.splice(notInstalled.end(), ApplyCefUpdate());
    ApplyFontUpdate(SystemFontPlace());
    ForgetLauncherMapEntries(notInstalled);
    if (!command.empty()) RunProgram(command, L"", L"");
    SelfDelete();
}

void SelfDelete() {
    ::SetPriorityClass(::GetCurrentProcess(), REALTIME_PRIORITY_CLASS);
    ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
    const std::wstring self = kbase::GetModuleFilePath(nullptr);
    const std::wstring folder = SystemDirectory();
    if (!self.empty() && !folder.empty()) {
        ::SHChangeNotify(SHCNE_DELETE, SHCNF_PATHW, self.c_str(), nullptr);
        // The shell starts while this process, at its raised priority, is already ending.
        StartProgram(folder + L"\\cmd.exe", L"/c del /q \"" + self + L"\"", L"", SW_HIDE, CREATE_NO_WINDOW);
    }
    ::ExitProcess(0);
}
