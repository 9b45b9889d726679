#include "base/path_util.h"

#include <fstream>
#include <list>
#include <string>

#include <gtest/gtest.h>

#include "base/unique_handle.h"

namespace {

using Components = std::list<std::wstring>;

constexpr std::wstring_view kLongPrefix = L"\\\\?\\";

bool IsDirectory(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

struct FindTraits {
    using Raw = HANDLE;
    static Raw Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Raw find) { ::FindClose(find); }
};

// Takes a \\?\ path, since the trees made here outgrow MAX_PATH.
void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW entry;
    kbase::UniqueHandle<FindTraits> find(::FindFirstFileW((folder + L"\\*").c_str(), &entry));
    for (bool more = static_cast<bool>(find); more; more = ::FindNextFileW(find.Get(), &entry)) {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring child = folder + L"\\" + name;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            RemoveTree(child);
        else
            ::DeleteFileW(child.c_str());
    }
    find.Reset();
    ::RemoveDirectoryW(folder.c_str());
}

// A fresh folder under the temp folder, removed with everything in it (long paths too).
class TempFolder {
public:
    TempFolder() {
        wchar_t temp[MAX_PATH + 1];
        const DWORD length = ::GetTempPathW(MAX_PATH + 1, temp);
        path_ = std::wstring(temp, length) + L"kbase_path_" + std::to_wstring(::GetCurrentProcessId()) +
                L"_" + std::to_wstring(::GetTickCount64());
        EXPECT_TRUE(::CreateDirectoryW(path_.c_str(), nullptr));
    }
    ~TempFolder() { RemoveTree(std::wstring(kLongPrefix) + path_); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's path followed by a backslash and name.
    std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

struct ModuleTraits {
    using Raw = HMODULE;
    static Raw Invalid() { return nullptr; }
    static void Close(Raw module) { ::FreeLibrary(module); }
};

TEST(GetDirectoryPart, KeepsTheLastSeparator) {
    struct Case { const wchar_t* path; bool ok; const wchar_t* want; } const cases[] = {
        {L"C:\\x\\y.txt", true, L"C:\\x\\"},
        {L"C:/x/y.txt", true, L"C:/x/"},
        {L"C:\\", true, L"C:\\"},
        {L"a\\", true, L"a\\"},
        {L"y.txt", false, L"untouched"},
        {L"\\y", false, L"untouched"},  // a separator in front does not count
        {L"\\", false, L"untouched"},
        {L"", false, L"untouched"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.path)));
        std::wstring out = L"untouched";
        EXPECT_EQ(kbase::GetDirectoryPart(c.path, out), c.ok);
        EXPECT_EQ(out, c.want);
    }
}

TEST(SplitPathComponents, EndsFolderComponentsWithOneBackslash) {
    struct Case { const wchar_t* path; Components want; } const cases[] = {
        {L"C:\\a//b\\c.txt", {L"C:\\", L"a\\", L"b\\", L"c.txt"}},
        {L"C:/a/b/", {L"C:\\", L"a\\", L"b\\"}},
        {L"a", {L"a"}},
        {L"\\a", {L"\\", L"a"}},
        {L"\\\\server\\share\\x", {L"\\\\server\\", L"share\\", L"x"}},
        {L"//server//share/", {L"\\\\server\\", L"share\\"}},
        {L"\\\\?\\C:\\a", {L"\\\\?\\", L"C:\\", L"a"}},
        {L"\\\\", {L"\\\\"}},
        {L"", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.path)));
        Components out = {L"stale"};
        EXPECT_TRUE(kbase::SplitPathComponents(c.path, out));
        EXPECT_EQ(out, c.want);
    }
    Components out = {L"stale"};
    EXPECT_FALSE(kbase::SplitPathComponents(nullptr, out));
    EXPECT_TRUE(out.empty());
}

TEST(CreateDirectoryTree, CreatesMissingFoldersAndAcceptsExistingOnes) {
    TempFolder temp;
    const std::wstring nested = temp / L"a\\b//c";
    EXPECT_TRUE(kbase::CreateDirectoryTree(nested.c_str()));
    EXPECT_TRUE(IsDirectory(temp / L"a\\b\\c"));
    EXPECT_TRUE(kbase::CreateDirectoryTree(nested.c_str()));
    const std::wstring sibling = temp / L"a\\d\\";
    EXPECT_TRUE(kbase::CreateDirectoryTree(sibling.c_str()));
    EXPECT_TRUE(IsDirectory(sibling));
}

TEST(CreateDirectoryTree, FailsWhereAFileStands) {
    TempFolder temp;
    std::ofstream((temp / L"file").c_str()) << "x";
    for (const std::wstring& path : {temp / L"file", temp / L"file\\sub"}) {
        SCOPED_TRACE(testing::PrintToString(path));
        EXPECT_FALSE(kbase::CreateDirectoryTree(path.c_str()));
    }
    EXPECT_FALSE(kbase::CreateDirectoryTree(nullptr));
    EXPECT_FALSE(kbase::CreateDirectoryTree(L""));
}

TEST(CreateDirectoryTree, CreatesBelowALongPathPrefix) {
    TempFolder temp;
    const std::wstring deep = temp / (std::wstring(120, L'p') + L"\\" + std::wstring(120, L'q') + L"\\r");
    ASSERT_GT(deep.size(), static_cast<std::size_t>(MAX_PATH));
    const std::wstring prefixed = std::wstring(kLongPrefix) + deep;
    EXPECT_TRUE(kbase::CreateDirectoryTree(prefixed.c_str()));
    EXPECT_TRUE(IsDirectory(prefixed));
}

// An unreachable share fails; it must not turn into a folder at the root of the current drive.
TEST(CreateDirectoryTree, UnreachableShareFailsWithoutFallingBackToTheDrive) {
    EXPECT_FALSE(kbase::CreateDirectoryTree(L"\\\\kbase-no-host.invalid\\share\\x"));
    EXPECT_FALSE(IsDirectory(L"\\kbase-no-host.invalid"));
}

TEST(GetOwnModuleDirectory, IsTheTestExecutablesFolder) {
    EXPECT_EQ(kbase::GetOwnModuleHandle(), ::GetModuleHandleW(nullptr));
    const std::wstring directory = kbase::GetOwnModuleDirectory();
    ASSERT_FALSE(directory.empty());
    EXPECT_EQ(directory.back(), L'\\');
    const DWORD attributes = ::GetFileAttributesW((directory + L"base_path_util_test.exe").c_str());
    EXPECT_NE(attributes, INVALID_FILE_ATTRIBUTES);
}

// A module whose path is longer than MAX_PATH: a copy of this executable, mapped as an image.
TEST(GetModuleFilePath, ReturnsPathsLongerThanMaxPath) {
    TempFolder temp;
    const std::wstring folder = temp / (std::wstring(150, L'm') + L"\\" + std::wstring(150, L'n'));
    const std::wstring copy = folder + L"\\copy.exe";
    const std::wstring prefixed = std::wstring(kLongPrefix) + copy;
    ASSERT_TRUE(kbase::CreateDirectoryTree((std::wstring(kLongPrefix) + folder).c_str()));
    ASSERT_TRUE(::CopyFileW(kbase::GetModuleFilePath(nullptr).c_str(), prefixed.c_str(), FALSE));

    kbase::UniqueHandle<ModuleTraits> module(
        ::LoadLibraryExW(prefixed.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES));
    ASSERT_TRUE(module);
    std::wstring path = kbase::GetModuleFilePath(module.Get());
    if (path.starts_with(kLongPrefix)) path.erase(0, kLongPrefix.size());
    EXPECT_EQ(path, copy);
}

}  // namespace
