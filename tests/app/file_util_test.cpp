#include "app/file_util.h"

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <list>
#include <string>

#include <gtest/gtest.h>
#include <windows.h>

#include "base/path_util.h"
#include "base/unique_handle.h"
#include "base/string_conversions.h"
#include "tests/app/scratch_folder.h"

namespace {

std::string Narrow(const std::wstring& text) {
    std::string narrow;
    kbase::WideToCodePage(text, narrow, CP_ACP);
    return narrow;
}

bool IsFolder(const std::wstring& path) { return std::filesystem::is_directory(path); }
bool Exists(const std::wstring& path) { return std::filesystem::exists(path); }

// Runs in folder as the working folder, as the launcher runs in its own folder.
class WorkingFolder {
public:
    explicit WorkingFolder(const std::wstring& folder) : old_(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~WorkingFolder() { std::filesystem::current_path(old_); }

private:
    std::filesystem::path old_;
};

bool IsLink(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// Under Wine, folder links are host symbolic links (shown as reparse points), which Wine can
// neither make nor remove; the host's own tools do both. Elsewhere there is no host.
class WineHost {
public:
    WineHost()
        : unix_name_(reinterpret_cast<UnixNameFunction>(reinterpret_cast<void*>(::GetProcAddress(
              ::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")))) {}

    explicit operator bool() const { return unix_name_ != nullptr; }

    // Runs the host tool on the paths, waiting (bounded) until done() holds.
    bool Run(const wchar_t* tool, const std::string& options,
             std::initializer_list<std::wstring> paths, const std::function<bool()>& done) const {
        if (!unix_name_) return false;
        std::string line = "tool " + options;
        for (const std::wstring& path : paths) line += " \"" + UnixName(path) + "\"";
        std::wstring command;
        kbase::Utf8ToWide(line.c_str(), command);
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process{};
        if (!::CreateProcessW(tool, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              &startup, &process))
            return false;
        kbase::ScopedHandle process_handle(process.hProcess), thread_handle(process.hThread);
        // Wine's handle of a host process can signal before the process is done: poll.
        for (int waited_ms = 0; waited_ms < 10000; waited_ms += 10) {
            if (done()) return true;
            ::Sleep(10);
        }
        return false;
    }

private:
    using UnixNameFunction = char*(CDECL*)(const wchar_t*);

    std::string UnixName(const std::wstring& path) const {
        char* name = unix_name_(path.c_str());
        if (!name) return {};
        std::string copy = name;
        ::HeapFree(::GetProcessHeap(), 0, name);
        return copy;
    }

    UnixNameFunction unix_name_;
};

// A folder link at link to target: the system's own, or the Wine host's.
bool MakeFolderLink(const std::wstring& link, const std::wstring& target) {
    if (::CreateSymbolicLinkW(link.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY) &&
        IsLink(link))
        return true;
    const WineHost host;
    return host && host.Run(L"Z:\\bin\\ln", "-s", {target, link}, [&] { return IsLink(link); });
}

}  // namespace

TEST(NormalizePath, TurnsSlashesAndControlsTheTrailingSeparator) {
    const struct {
        const char* path;
        bool trailing;
        const char* want;
    } cases[] = {
        {"a/b/", false, "a\\b"},
        {"a/b/", true, "a\\b\\"},
        {"a\\b", true, "a\\b\\"},
        {"a/b//\\", false, "a\\b"},
        {"a\\\\", true, "a\\\\"},
        {"", false, ""},
        {"", true, "\\"},
        {"/", false, ""},
        {"C:/x/y.txt", false, "C:\\x\\y.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.path) + (c.trailing ? " +sep" : " -sep"));
        EXPECT_EQ(NormalizePath(c.path, c.trailing), c.want);
        std::wstring wide, want;
        kbase::Utf8ToWide(c.path, wide);
        kbase::Utf8ToWide(c.want, want);
        EXPECT_EQ(NormalizePathW(wide, c.trailing), want);
    }
}

TEST(SplitPath, CutsAtTheLastSeparatorButNotTheFirstCharacter) {
    const struct {
        const char* path;
        bool ok;
        const char* folder;
        const char* name;
    } cases[] = {
        {"a/b\\c.txt", true, "a\\b", "c.txt"},
        {"update/", true, "update", ""},
        {"C:\\x", true, "C:", "x"},
        {"\\x", false, "-", "-"},
        {"/x", false, "-", "-"},
        {"name", false, "-", "-"},
        {"", false, "-", "-"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        std::string folder = "-", name = "-";
        EXPECT_EQ(SplitPath(c.path, folder, name), c.ok);
        EXPECT_EQ(folder, c.folder);
        EXPECT_EQ(name, c.name);
    }
    std::wstring folder, name;
    EXPECT_TRUE(SplitPathW(L"game/data/a.bin", folder, name));
    EXPECT_EQ(folder, L"game\\data");
    EXPECT_EQ(name, L"a.bin");
}

TEST(WellKnownFolders, AreRelativeToTheWorkingFolder) {
    EXPECT_EQ(GetSaveDir(), ".\\save");
    EXPECT_EQ(GetSaveDirW(), L".\\save");
    EXPECT_EQ(GetUpdateDirW(), L".\\update");
    EXPECT_EQ(GetExceptionDirW(), L".\\exception");
    EXPECT_EQ(GetPreDownloadDir(), ".\\update\\predownload");
    EXPECT_EQ(GetDefaultGameDirW(), kbase::GetOwnModuleDirectory() + L"Tarvenor Game");
    EXPECT_EQ(&GetSaveDirW(), &GetSaveDirW());  // built once
}

TEST(CreateDirectories, CreatesEveryLevelAndReportsFailure) {
    ScratchFolder folder;
    {
        WorkingFolder in(folder.path());
        EXPECT_TRUE(CreateDirectories(".\\a\\b\\c"));
        EXPECT_TRUE(CreateDirectories("./a/b/c/"));  // already there
        EXPECT_TRUE(CreateDirectoriesW(L"x/y"));
    }
    EXPECT_TRUE(IsFolder(folder.Child(L"a\\b\\c")));
    EXPECT_TRUE(IsFolder(folder.Child(L"x\\y")));
    EXPECT_TRUE(CreateDirectoriesW(folder.Child(L"p/q")));
    EXPECT_TRUE(IsFolder(folder.Child(L"p\\q")));

    folder.WriteFile(L"file", "x");
    EXPECT_FALSE(CreateDirectoriesW(folder.Child(L"file\\sub")));  // a file stands in the way
    EXPECT_FALSE(CreateDirectories(""));
}

TEST(FolderExists, NamesFoldersOnly) {
    ScratchFolder folder;
    folder.WriteFile(L"file", "x");
    ASSERT_TRUE(::CreateDirectoryW(folder.Child(L"sub").c_str(), nullptr));
    EXPECT_TRUE(FolderExistsW(folder.path()));
    EXPECT_TRUE(FolderExists(Narrow(folder.Child(L"sub\\"))));
    EXPECT_FALSE(FolderExistsW(folder.Child(L"file")));
    EXPECT_FALSE(FolderExistsW(folder.Child(L"missing")));
    WorkingFolder in(folder.path());
    EXPECT_TRUE(FolderExists("sub"));
    EXPECT_TRUE(FolderExists("."));
    EXPECT_FALSE(FolderExists("file"));
}

TEST(DeleteFolderRecursive, RemovesNestedAndReadOnlyFiles) {
    ScratchFolder folder;
    ASSERT_TRUE(CreateDirectoriesW(folder.Child(L"tree\\a\\b")));
    ASSERT_TRUE(CreateDirectoriesW(folder.Child(L"tree\\empty")));
    folder.WriteFile(L"tree\\top.txt", "1");
    folder.WriteFile(L"tree\\a\\b\\deep.txt", "2");
    folder.WriteFile(L"tree\\a\\readonly.txt", "3");
    ASSERT_TRUE(::SetFileAttributesW(folder.Child(L"tree\\a\\readonly.txt").c_str(),
                                     FILE_ATTRIBUTE_READONLY));
    folder.WriteFile(L"keep.txt", "4");

    DeleteFolderRecursive(Narrow(folder.Child(L"tree/")));
    EXPECT_FALSE(Exists(folder.Child(L"tree")));
    EXPECT_TRUE(Exists(folder.Child(L"keep.txt")));
    DeleteFolderRecursiveW(folder.Child(L"missing"));  // nothing to do, nothing reported
}

TEST(DeleteFolderRecursive, NeverFollowsLinks) {
    ScratchFolder folder;
    ASSERT_TRUE(CreateDirectoriesW(folder.Child(L"outside")));
    folder.WriteFile(L"outside\\precious.txt", "keep");
    ASSERT_TRUE(CreateDirectoriesW(folder.Child(L"tree")));
    if (!MakeFolderLink(folder.Child(L"tree\\link"), folder.Child(L"outside")))
        GTEST_SKIP() << "folder links cannot be made here";

    std::list<std::wstring> files;
    EXPECT_EQ(ListFilesRecursiveW(folder.Child(L"tree"), files, {}), 0);

    // Windows then removes the link and the tree; Wine cannot remove a host link, so only what
    // matters everywhere is checked: nothing behind the link is touched.
    const std::wstring link = folder.Child(L"tree\\link");
    DeleteFolderRecursiveW(folder.Child(L"tree"));
    DeleteFolderRecursiveW(link);
    EXPECT_EQ(ReadWholeFile(folder.Child(L"outside\\precious.txt")), "keep");
    if (const WineHost host; host && IsLink(link))
        host.Run(L"Z:\\bin\\rm", "-f", {link}, [&] { return !IsLink(link); });
}

TEST(ListFilesRecursive, ListsFilesBeforeSubfoldersAndSkipsExcludedNamesAtAnyDepth) {
    ScratchFolder folder;
    ASSERT_TRUE(CreateDirectoriesW(folder.Child(L"game\\data\\cache")));
    ASSERT_TRUE(CreateDirectoriesW(folder.Child(L"game\\cache")));
    folder.WriteFile(L"game\\b.txt", "");
    folder.WriteFile(L"game\\data\\d.bin", "");
    folder.WriteFile(L"game\\data\\cache\\skipped.bin", "");
    folder.WriteFile(L"game\\cache\\skipped.bin", "");
    folder.WriteFile(L"game\\data\\cache2", "");  // a file, and not the excluded name anyway
    folder.WriteFile(L"game\\a.txt", "");
    const std::string base = Narrow(folder.Child(L"game"));

    std::list<std::string> out = {"kept"};
    EXPECT_EQ(ListFilesRecursive(base + "/", out, {"cache"}), 5);
    const std::list<std::string> want = {"kept", base + "\\a.txt", base + "\\b.txt",
                                         base + "\\data\\cache2", base + "\\data\\d.bin"};
    EXPECT_EQ(out, want);

    std::list<std::wstring> wide;
    EXPECT_EQ(ListFilesRecursiveW(folder.Child(L"game"), wide, {L"Cache"}), 6);  // exact case

    EXPECT_EQ(ListFilesRecursive(base + "\\missing", out, {}), -1);
    EXPECT_EQ(out.size(), 5u);
}

TEST(ListSubfolders, NamesDirectSubfoldersOnly) {
    ScratchFolder folder;
    ASSERT_TRUE(CreateDirectoriesW(folder.Child(L"1_0_1\\inner")));
    ASSERT_TRUE(CreateDirectoriesW(folder.Child(L"1_0_2")));
    folder.WriteFile(L"file.txt", "");
    std::list<std::string> out = {"stale"};
    EXPECT_EQ(ListSubfolders(Narrow(folder.path()), out), 2);
    out.sort();
    EXPECT_EQ(out, (std::list<std::string>{"1_0_1", "1_0_2"}));
    EXPECT_EQ(ListSubfolders(Narrow(folder.Child(L"missing")), out), -1);
    EXPECT_TRUE(out.empty());
}

TEST(WholeFiles, RoundTripBytesAndLeaveOutputAloneOnFailure) {
    ScratchFolder folder;
    const std::string bytes("a\r\nb\0\xff\n", 7);
    const std::string path = Narrow(folder.Child(L"f.bin"));
    ASSERT_TRUE(WriteStringToFile(path, bytes));
    std::string read = "stale";
    ASSERT_TRUE(ReadFileToString(path, read));
    EXPECT_EQ(read, bytes);

    ASSERT_TRUE(WriteStringToFileW(folder.Child(L"f.bin"), "short"));
    ASSERT_TRUE(ReadFileToStringW(folder.Child(L"f.bin"), read));
    EXPECT_EQ(read, "short");

    ASSERT_TRUE(WriteStringToFileW(folder.Child(L"empty"), ""));
    ASSERT_TRUE(ReadFileToStringW(folder.Child(L"empty"), read));
    EXPECT_EQ(read, "");

    read = "untouched";
    EXPECT_FALSE(ReadFileToStringW(folder.Child(L"missing"), read));
    EXPECT_FALSE(ReadFileToStringW(folder.path(), read));  // a folder
    EXPECT_EQ(read, "untouched");
    EXPECT_FALSE(WriteStringToFileW(folder.Child(L"no\\such\\folder.txt"), "x"));
}

TEST(GetDiskSpace, AnswersForDrivesOnly) {
    ScratchFolder folder;
    std::uint64_t total = 0, free_bytes = 0;
    ASSERT_TRUE(GetDiskSpaceW(folder.path(), total, free_bytes));
    EXPECT_GT(total, 0u);
    EXPECT_LE(free_bytes, total);
    {
        WorkingFolder in(folder.path());
        EXPECT_TRUE(GetDiskSpace("relative\\not\\there", total, free_bytes));
    }
    EXPECT_FALSE(GetDiskSpace("\\\\server\\share\\x", total, free_bytes));
}
