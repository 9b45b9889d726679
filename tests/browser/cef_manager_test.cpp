#include "browser/cef_manager.h"

#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "base/message_loop.h"
#include "base/path_util.h"
#include "tests/base/thread_test_support.h"
#include "tests/browser/fake_runtime.h"

namespace {

std::wstring Environment(const wchar_t* name) {
    const DWORD needed = ::GetEnvironmentVariableW(name, nullptr, 0);
    if (needed == 0) return std::wstring();
    std::wstring value(needed, L'\0');
    value.resize(::GetEnvironmentVariableW(name, value.data(), needed));
    return value;
}

// The environment as it was, put back at the end of the test.
class SavedEnvironment {
public:
    SavedEnvironment() : path_(Environment(L"PATH")), comSpec_(Environment(L"ComSpec")) {}
    ~SavedEnvironment() {
        ::SetEnvironmentVariableW(L"PATH", path_.c_str());
        ::SetEnvironmentVariableW(L"ComSpec", comSpec_.c_str());
    }
    const std::wstring& path() const { return path_; }

private:
    std::wstring path_;
    std::wstring comSpec_;
};

const std::wstring& CefFolder() {
    static const std::wstring folder = kbase::GetOwnModuleDirectory() + L"cef";
    return folder;
}

TEST(CefManager, PutsTheCefFolderFirstInAPathOfAnyLength) {
    SavedEnvironment saved;
    ::RemoveDirectoryW(CefFolder().c_str());
    const std::wstring comSpec = Environment(L"ComSpec");
    EXPECT_FALSE(zel_comp::CefManager::PrependCefFolderToPath());
    EXPECT_EQ(Environment(L"PATH"), saved.path());
    EXPECT_EQ(Environment(L"ComSpec"), comSpec);

    ASSERT_TRUE(::CreateDirectoryW(CefFolder().c_str(), nullptr));
    const std::wstring longPath = saved.path() + L";" + std::wstring(6000, L'x');
    ::SetEnvironmentVariableW(L"PATH", longPath.c_str());
    EXPECT_TRUE(zel_comp::CefManager::PrependCefFolderToPath());
    EXPECT_EQ(Environment(L"PATH"), CefFolder() + L";" + longPath);
    EXPECT_EQ(Environment(L"ComSpec"), CefFolder() + L"\\dummy_cmd.exe");
    ::RemoveDirectoryW(CefFolder().c_str());
}

TEST(CefManager, AFileNamedCefIsNoRuntimeFolder) {
    SavedEnvironment saved;
    const HANDLE file = ::CreateFileW(CefFolder().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    ::CloseHandle(file);
    EXPECT_FALSE(zel_comp::CefManager::PrependCefFolderToPath());
    EXPECT_EQ(Environment(L"PATH"), saved.path());
    ::DeleteFileW(CefFolder().c_str());
}

TEST(CefManager, ARuntimeLibraryThatCannotBeLoadedIsReported) {
    SavedEnvironment saved;
    const std::wstring folder = kbase::GetOwnModuleDirectory() + L"broken_runtime";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring library = folder + L"\\zel_libcef.dll";
    const HANDLE file = ::CreateFileW(library.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(file, "not a library", 13, &written, nullptr);
    ::CloseHandle(file);
    ::SetEnvironmentVariableW(L"PATH", (folder + L";" + saved.path()).c_str());

    zel_comp::CefManager& manager = zel_comp::CefManager::GetInstance();
    EXPECT_FALSE(manager.LoadRuntimeLibrary());
    // Nothing was started, so nothing is shut down.
    manager.Shutdown();
    EXPECT_FALSE(manager.IsInitialized());
    ::DeleteFileW(library.c_str());
    ::RemoveDirectoryW(folder.c_str());
}

TEST(CefManager, FillsTheSettingsByPlainConcatenation) {
    zel_comp::CefManager& manager = zel_comp::CefManager::GetInstance();
    const std::wstring folder = kbase::GetOwnModuleDirectory() + L"settings_test\\cef_temp\\";
    CefSettings settings;
    manager.FillSettings(folder, settings);
    EXPECT_NE(::GetFileAttributesW(folder.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(settings.size, 336u);
    EXPECT_EQ(settings.no_sandbox, 1);
    EXPECT_EQ(settings.single_process, 0);
    EXPECT_EQ(settings.multi_threaded_message_loop, 1);
    EXPECT_EQ(settings.windowless_rendering_enabled, 1);
    EXPECT_EQ(settings.cache_path.ToWString(), folder + L"CefLocalStorage");
    EXPECT_EQ(settings.log_file.ToWString(), folder + L"cef.log");
    EXPECT_EQ(settings.browser_subprocess_path.ToWString(), L".\\cef\\cef_helper.exe");
    EXPECT_TRUE(settings.locale.empty());
    EXPECT_TRUE(settings.user_agent.empty());

    CefSettings bare;
    manager.FillSettings(kbase::GetOwnModuleDirectory() + L"settings_test\\cef_temp", bare);
    EXPECT_EQ(bare.cache_path.ToWString(), kbase::GetOwnModuleDirectory() + L"settings_test\\cef_tempCefLocalStorage");
    ::RemoveDirectoryW(folder.c_str());
    ::RemoveDirectoryW((kbase::GetOwnModuleDirectory() + L"settings_test").c_str());
}

// True once the thread's loop has ended, within a bounded wait.
bool LoopEnds(kbase::FrameworkThread& thread, DWORD ms) {
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < ms) {
        if (!kbase_test::RunOn(thread.LoopProxy(), [] {})) return true;
        ::Sleep(20);
    }
    return false;
}

TEST(CefManager, QuitsTheUiLoopOnceNoBrowserIsLeft) {
    kbase_test::Watchdog watchdog("quit when browsers closed");
    zel_comp::CefManager& manager = zel_comp::CefManager::GetInstance();
    kbase_test::RegisteredThread ui(0);
    ASSERT_TRUE(ui.StartWithLoop(kbase::MessageLoop::kUILoop));
    ASSERT_TRUE(kbase_test::RunOn(ui.LoopProxy(), [&] {
        manager.IncrementBrowserCount();
        manager.QuitWhenBrowsersClosed(0);
    }));
    EXPECT_FALSE(LoopEnds(ui, 1200));  // two checks went by with the browser open
    ASSERT_TRUE(kbase_test::RunOn(ui.LoopProxy(), [&] { manager.DecrementBrowserCount(); }));
    EXPECT_TRUE(LoopEnds(ui, 5000));
    ui.Stop();
}

}  // namespace
