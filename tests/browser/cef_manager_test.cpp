#include "browser/cef_manager.h"

#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "base/path_util.h"

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

TEST(CefManager, PutsTheCefFolderFirstInAPathOfAnyLength) {
    SavedEnvironment saved;
    const std::wstring folder = kbase::GetOwnModuleDirectory() + L"cef";
    ::RemoveDirectoryW(folder.c_str());
    const std::wstring comSpec = Environment(L"ComSpec");
    EXPECT_FALSE(zel_comp::CefManager::PrependCefFolderToPath());
    EXPECT_EQ(Environment(L"PATH"), saved.path());
    EXPECT_EQ(Environment(L"ComSpec"), comSpec);

    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring longPath = saved.path() + L";" + std::wstring(6000, L'x');
    ::SetEnvironmentVariableW(L"PATH", longPath.c_str());
    EXPECT_TRUE(zel_comp::CefManager::PrependCefFolderToPath());
    EXPECT_EQ(Environment(L"PATH"), folder + L";" + longPath);
    EXPECT_EQ(Environment(L"ComSpec"), folder + L"\\dummy_cmd.exe");
    ::RemoveDirectoryW(folder.c_str());
}

TEST(CefManager, RunsWithoutTheRuntimeLibrary) {
    zel_comp::CefManager* manager = zel_comp::CefManager::GetInstance();
    zel_comp::CefSettings settings;
    EXPECT_EQ(settings.size, 336u);
    EXPECT_FALSE(manager->Initialize(kbase::GetOwnModuleDirectory() + L"cef_temp\\", settings));
    EXPECT_FALSE(manager->initialized());
    manager->Shutdown();
    EXPECT_FALSE(manager->initialized());
}

}  // namespace
