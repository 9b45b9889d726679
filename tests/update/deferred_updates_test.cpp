#include "update/deferred_updates.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <list>
#include <string>

#include "app/json_util.h"
#include "base/unique_handle.h"
#include "tests/update/working_folder.h"

namespace {

std::list<std::string> ListedPaths(const char* listPath) {
    std::list<std::string> paths;
    ReadStringListFile(listPath, paths);
    return paths;
}

// Holds a file open with no sharing, as a running browser runtime holds its libraries.
kbase::ScopedFileHandle HoldFile(const std::wstring& path) {
    return kbase::ScopedFileHandle(
        ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

TEST(ApplyCefUpdate, InstallsWhatItCanAndKeepsListingOnlyWhatFailed) {
    ScopedWorkingFolder folder;
    folder.Write(L"update\\cef\\a.dll", "new a");
    folder.Write(L"cef\\a.dll", "old a");
    folder.Write(L"update\\cef\\sub\\deep\\b.pak", "new b");  // its folders do not exist yet
    folder.Write(L"cef\\gone.dll", "installed by a pass cut short");
    folder.Write(L"update\\cef\\held.dll", "new held");
    folder.Write(L"cef\\held.dll", "old held");
    folder.Write(L"escape.dll", "what update\\..\\escape.dll names");
    folder.Write(L"update\\cef_update.txt",
                 R"(["cef/a.dll", "cef\\held.dll", "cef\\sub\\deep\\b.pak", "cef/gone.dll", "cef/lost.dll",
                     "..\\escape.dll", "C:\\x.dll"])");
    kbase::ScopedFileHandle held = HoldFile(folder.Child(L"cef\\held.dll"));
    ASSERT_TRUE(held);

    const std::list<std::string> failed = ApplyCefUpdate();
    held.Reset();

    const std::list<std::string> want = {"cef\\held.dll", "cef/lost.dll"};
    EXPECT_EQ(failed, want);
    EXPECT_EQ(ListedPaths(kCefUpdateListPath), want);
    EXPECT_EQ(folder.Read(L"cef\\a.dll"), "new a");
    EXPECT_EQ(folder.Read(L"cef\\sub\\deep\\b.pak"), "new b");
    EXPECT_FALSE(folder.Exists(L"update\\cef\\a.dll"));
    EXPECT_FALSE(folder.Exists(L"update\\cef\\sub\\deep\\b.pak"));
    // A failed copy keeps its source for the next try and leaves the old file whole.
    EXPECT_EQ(folder.Read(L"update\\cef\\held.dll"), "new held");
    EXPECT_EQ(folder.Read(L"cef\\held.dll"), "old held");
    EXPECT_FALSE(folder.Exists(L"cef\\held.dll.new" + std::to_wstring(::GetCurrentProcessId())));
    // Refused names touch nothing outside the update folder.
    EXPECT_FALSE(folder.Exists(L"..\\escape.dll"));
    EXPECT_TRUE(folder.Exists(L"escape.dll"));
}

TEST(ApplyCefUpdate, DeletesTheListOnceEverythingIsInPlace) {
    ScopedWorkingFolder folder;
    folder.Write(L"update\\cef\\a.dll", "new a");
    folder.Write(L"update\\cef_update.txt", R"(["cef/a.dll", "../x.dll"])");

    EXPECT_TRUE(ApplyCefUpdate().empty());

    EXPECT_EQ(folder.Read(L"cef\\a.dll"), "new a");
    EXPECT_FALSE(folder.Exists(L"update\\cef_update.txt"));
}

TEST(ApplyCefUpdate, LeavesAListItCannotReadAlone) {
    const char* texts[] = {"null", "[\"cef/a.dll\", 3]", "{\"cef/a.dll\": 1}", "[\"cef/a.dll\""};
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        ScopedWorkingFolder folder;
        folder.Write(L"update\\cef\\a.dll", "new a");
        folder.Write(L"update\\cef_update.txt", text);

        EXPECT_TRUE(ApplyCefUpdate().empty());

        EXPECT_EQ(folder.Read(L"update\\cef_update.txt"), text);
        EXPECT_FALSE(folder.Exists(L"cef\\a.dll"));
    }
}

TEST(ForgetLauncherMapEntries, DropsOnlyTheNamedEntriesInEitherLayout) {
    struct Case {
        const char* name;
        const char* map;
        const char* entries;  // the member holding the entries, "" for the top level
    } const cases[] = {
        {"wrapped",
         R"({"version": "1_0_2", "list": {"launcher.exe": {"md5": "", "size": 1},
             "cef/a.dll": {"md5": "", "size": 2}, "resources.zip": {"md5": "", "size": 3}}})",
         "list"},
        {"flat",
         R"({"version": {"md5": "1_0_2"}, "launcher.exe": {"md5": "", "size": 1},
             "cef/a.dll": {"md5": "", "size": 2}, "resources.zip": {"md5": "", "size": 3}})",
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScopedWorkingFolder folder;
        folder.Write(L"launcher_version_map.txt", c.map);

        ForgetLauncherMapEntries({"launcher.exe", "cef\\a.dll", "cef/not_listed.dll"});

        Json::Value root;
        std::string errors;
        ASSERT_TRUE(ReadJsonFile(kLauncherMapPath, root, errors)) << errors;
        const Json::Value& entries = *c.entries ? root[c.entries] : root;
        EXPECT_FALSE(entries.isMember("launcher.exe"));
        EXPECT_FALSE(entries.isMember("cef/a.dll"));
        EXPECT_TRUE(entries.isMember("resources.zip"));
        EXPECT_TRUE(root.isMember("version"));
    }
}

}  // namespace
