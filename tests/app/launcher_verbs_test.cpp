#include <gtest/gtest.h>

#include "app/launcher_messages.h"
#include "app/md5.h"
#include "app/version_map.h"
#include "app/version_text.h"
#include "tests/app/launcher_install.h"
#include "tests/app/launcher_process.h"

namespace {

std::string Md5(const std::wstring& path) {
    std::string hex;
    std::int64_t size = 0;
    return Md5OfFile(path, hex, size) ? hex : std::string();
}

TEST(LauncherVerbs, VersionMapVerbsWriteTheirMapAndEndWhileAnotherLauncherRuns) {
    // A running launcher holds the single-instance semaphore; the verbs never ask for it.
    LauncherInstall running;
    LauncherProcess first;
    ASSERT_TRUE(first.Start(running.Launcher(), L"", L""));
    HWND window = first.WaitForWindow(L"Launcher", 20000);
    ASSERT_NE(window, nullptr);

    struct Case {
        const wchar_t* arguments;
        const wchar_t* file;      // created below the install
        const wchar_t* map;
        const char* version;
        std::vector<std::string> keys;
    } const cases[] = {
        {L"make_version 1_2_3", L"cef\\sub\\a.txt", L"launcher_version_map.txt", "1_2_3",
         {"cef/sub/a.txt", "launcher.exe"}},
        {L"make_version \"\"", L"cef\\b.txt", L"launcher_version_map.txt", "1.0.0", {"cef/b.txt", "launcher.exe"}},
        {L"make_dependence_version 2_0_1", L"dependence\\x.bin", L"dependence_version_map.txt", "2_0_1",
         {"dependence/x.bin"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.arguments)));
        LauncherInstall tool;
        const std::wstring file = c.file;
        tool.CreateFolder(file.substr(0, file.rfind(L'\\')));
        tool.WriteFile(file, "payload");
        LauncherProcess maker;
        ASSERT_TRUE(maker.Start(tool.Launcher(), c.arguments, L""));
        EXPECT_EQ(maker.WaitForExit(30000), 0);

        VersionMap map;
        std::string error;
        ASSERT_TRUE(LoadVersionMapFile(tool.Child(c.map), map, error)) << error;
        std::string version;
        ReadVersionMapVersion(tool.Child(c.map), version, "none");
        EXPECT_EQ(version, c.version);
        std::vector<std::string> keys;
        for (const auto& [key, entry] : map)
            if (key != "version") keys.push_back(key);
        EXPECT_EQ(keys, c.keys);
        EXPECT_EQ(map[keys.front()].md5, Md5(tool.Child(file)));
        EXPECT_EQ(map[keys.front()].size, 7);
    }
    ::PostMessageW(window, kMsgExitLauncher, 0, 0);
    EXPECT_EQ(first.WaitForExit(20000), 0);
}

}  // namespace
