#include "app/identity_files.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "tests/app/scratch_folder.h"

namespace {

TEST(IdentityFiles, GidIsTheLauncherCopyElseTheGameCopyByteForByte) {
    ScratchFolder launcher;
    ScratchFolder game;
    ::CreateDirectoryW(launcher.Child(L"save").c_str(), nullptr);
    ::CreateDirectoryW(game.Child(L"save").c_str(), nullptr);
    const std::wstring saveDir = launcher.Child(L"save");

    EXPECT_EQ(ReadGid(saveDir, game.path()), "");
    game.WriteFile(L"save\\gid.txt", "game-gid");
    EXPECT_EQ(ReadGid(saveDir, game.path()), "game-gid");
    EXPECT_EQ(ReadGid(saveDir, game.path() + L"\\"), "game-gid");
    launcher.WriteFile(L"save\\gid.txt", std::string(" launcher-gid\r\n\0x", 18));
    EXPECT_EQ(ReadGid(saveDir, game.path()), std::string(" launcher-gid\r\n\0x", 18));
    launcher.WriteFile(L"save\\gid.txt", "");
    EXPECT_EQ(ReadGid(saveDir, game.path()), "");  // an empty launcher copy still wins
}

TEST(IdentityFiles, InstallPackageTypeOnlyFromAStringMember) {
    struct Case {
        const char* text;
        bool parsed;
        const char* want;
    } const cases[] = {
        {"{\"install_package_type\": \"steam\"}", true, "steam"},
        {"{\"install_package_type\": 3}", true, "kept"},
        {"{\"other\": \"x\"}", true, "kept"},
        {"[\"install_package_type\"]", false, "kept"},
        {"{\"install_package_type\": ", false, "kept"},
        {"", false, "kept"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ScratchFolder folder;
        folder.WriteFile(L"extra_config.txt", c.text);
        std::string type = "kept";
        EXPECT_EQ(ReadInstallPackageType(folder.Child(L"extra_config.txt"), type), c.parsed);
        EXPECT_EQ(type, c.want);
    }
    std::string type;
    EXPECT_FALSE(ReadInstallPackageType(L"C:\\no\\such\\extra_config.txt", type));
}

}  // namespace
