#include "app/installed_versions.h"

#include <gtest/gtest.h>

#include "tests/app/scratch_folder.h"

namespace {

TEST(ReadLauncherVersion, TakesEitherLayoutElseTheDefault) {
    struct Case { const char* name; const char* text; const char* want; } const cases[] = {
        {"wrapped", R"({"version": "1.2.0", "list": {}})", "1.2.0"},
        {"flat", R"({"version": {"md5": "2_0_1"}, "launcher.exe": {}})", "2_0_1"},
        {"no version", R"({"list": {}})", "1.0.0"},
        {"not JSON", "1.3.0", "1.0.0"},
        {"missing file", nullptr, "1.0.0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder folder;
        if (c.text) folder.WriteFile(L"launcher_version_map.txt", c.text);
        EXPECT_EQ(ReadLauncherVersion(folder.path()), c.want);
    }
}

TEST(ReadLocalGameVersion, VersionAndDisplayFormOrBothEmpty) {
    ScratchFolder folder;
    EXPECT_EQ(ReadLocalGameVersion(folder.path()).version, "");
    EXPECT_EQ(ReadLocalGameVersion(folder.path()).display, "");

    folder.WriteFile(L"version_map.txt", R"({"version": {"md5": "10077_3_5"}})");
    for (const std::wstring& gamePath : {folder.path(), folder.path() + L"\\", folder.path() + L"/"}) {
        const LocalGameVersion read = ReadLocalGameVersion(gamePath);
        EXPECT_EQ(read.version, "10077_3_5");
        EXPECT_EQ(read.display, "1.0.77.5.3");
    }
}

TEST(IsGameUpdateAvailable, BothKnownAndDifferent) {
    struct Case { const char* local; const char* remote; bool want; } const cases[] = {
        {"1_0_0", "1_0_1", true}, {"1_0_0", "1_0_0", false}, {"", "1_0_1", false}, {"1_0_0", "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.local << " / " << c.remote);
        EXPECT_EQ(IsGameUpdateAvailable(c.local, c.remote), c.want);
    }
}

TEST(LoadLocalGameVersionMap, ReadsTheGameFoldersMap) {
    ScratchFolder folder;
    VersionMap map;
    std::string error;
    EXPECT_FALSE(LoadLocalGameVersionMap(folder.path(), map, error));
    folder.WriteFile(L"version_map.txt", R"({"version": "1_0_0", "list": {"KORU.exe": {"size": 3}}})");
    ASSERT_TRUE(LoadLocalGameVersionMap(folder.path(), map, error)) << error;
    EXPECT_EQ(map["KORU.exe"].size, 3);
}

}  // namespace
