#include "update/version_map_writers.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/update/working_folder.h"

namespace {

// md5sum of the fixture files: "exe", "thai", "a", "bb", "dep".
constexpr char kExeMd5[] = "98e83379d45538379c2ac4e47c3be81d";
constexpr char kThaiMd5[] = "1aafcfcd9efdd2e7ac43e80ce77bba79";
constexpr char kAMd5[] = "0cc175b9c0f1b6a831c399e269772661";
constexpr char kBbMd5[] = "21ad0bd836b90d08f4cf640b4c298e7c";
constexpr char kDepMd5[] = "2254342becceafbd04538e0a38696791";

std::string Entry(const char* md5, int size) {
    return std::string("\t\t{\n\t\t\t\"md5\" : \"") + md5 + "\",\n\t\t\t\"size\" : " + std::to_string(size) + "\n\t\t}";
}

TEST(MakeLauncherVersionMap, ListsTheLauncherFilesThatExistWithSlashKeys) {
    ScopedWorkingFolder folder;
    folder.Write(L"launcher.exe", "exe");
    folder.Write(L"LomaN.ttf", "thai");  // resources.zip and the other fonts are absent
    folder.Write(L"cef\\a.dll", "a");
    folder.Write(L"cef\\sub\\b.pak", "bb");
    folder.Write(L"unlisted.txt", "not a launcher file");

    ASSERT_TRUE(MakeLauncherVersionMap(L"1_2_3"));

    const std::string want = "{\n\t\"list\" : \n\t{\n"
                             "\t\t\"LomaN.ttf\" : \n" + Entry(kThaiMd5, 4) + ",\n"
                             "\t\t\"cef/a.dll\" : \n" + Entry(kAMd5, 1) + ",\n"
                             "\t\t\"cef/sub/b.pak\" : \n" + Entry(kBbMd5, 2) + ",\n"
                             "\t\t\"launcher.exe\" : \n" + Entry(kExeMd5, 3) + "\n"
                             "\t},\n\t\"version\" : \"1_2_3\"\n}";
    EXPECT_EQ(folder.Read(L"launcher_version_map.txt"), want);
}

TEST(MakeDependenceVersionMap, ListsTheDependenceFolder) {
    struct Case {
        const char* name;
        bool withFolder;
        const wchar_t* version;
        std::string want;
    } const cases[] = {
        {"a file of the folder, empty version", true, L"",
         "{\n\t\"list\" : \n\t{\n\t\t\"dependence/x.txt\" : \n" + Entry(kDepMd5, 3) +
             "\n\t},\n\t\"version\" : \"1.0.0\"\n}"},
        // An empty list stays an object, so that the map reads back.
        {"no folder", false, L"2_0_0", "{\n\t\"list\" : {},\n\t\"version\" : \"2_0_0\"\n}"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScopedWorkingFolder folder;
        if (c.withFolder) folder.Write(L"dependence\\x.txt", "dep");

        ASSERT_TRUE(MakeDependenceVersionMap(c.version));

        EXPECT_EQ(folder.Read(L"dependence_version_map.txt"), c.want);
    }
}

}  // namespace
