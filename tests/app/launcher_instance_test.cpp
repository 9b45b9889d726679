#include <gtest/gtest.h>

#include "app/first_run.h"
#include "app/launcher_messages.h"
#include "app/launcher_settings.h"
#include "tests/app/launcher_install.h"
#include "tests/app/launcher_process.h"

namespace {

bool Visible(HWND window) { return ::IsWindowVisible(window) != FALSE; }

TEST(LauncherInstance, ASecondStartShowsTheHiddenFirstAndEnds) {
    LauncherInstall install;
    LauncherProcess first;
    ASSERT_TRUE(first.Start(install.Launcher(), L"", L""));
    HWND window = first.WaitForWindow(L"Launcher", 20000);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitFor([&] { return Visible(window); }, 10000));
    EXPECT_EQ(::GetPropW(window, L"_TVN_LAUNCHER_TW"), static_cast<HANDLE>(window));

    ::PostMessageW(window, kMsgHideToTray, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !Visible(window); }, 10000));

    LauncherProcess second;
    ASSERT_TRUE(second.Start(install.Launcher(), L"", L""));
    EXPECT_EQ(second.WaitForExit(20000), 0);
    EXPECT_TRUE(WaitFor([&] { return Visible(window); }, 10000));

    ::PostMessageW(window, kMsgExitLauncher, 0, 0);
    EXPECT_EQ(first.WaitForExit(20000), 0);
    EXPECT_FALSE(::IsWindow(window));
}

TEST(LauncherInstance, AFirstRunWritesTheDefaultSettingsAndStatistics) {
    struct Case {
        const char* what;
        bool gameBeside;
    } const cases[] = {{"game beside the launcher", true}, {"no game yet", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LauncherInstall install;
        if (c.gameBeside) install.AddGame(L".");
        LauncherProcess launcher;
        ASSERT_TRUE(launcher.Start(install.Launcher(), L"", L""));
        HWND window = launcher.WaitForWindow(L"Launcher", 20000);
        ASSERT_NE(window, nullptr);

        LauncherSettings settings;
        settings.languageType = LanguageTypeForLocale(::GetUserDefaultLCID());
        settings.gamePath = c.gameBeside ? install.path() : install.Child(L"Tarvenor Game");
        ASSERT_TRUE(WriteSettingsFile(install.Child(L"expected_settings.json"), settings));
        ASSERT_TRUE(WriteDownloadLogFile(install.Child(L"expected_log.json"), DownloadLog()));
        EXPECT_EQ(ReadWholeFile(install.Child(L"save\\EnvConfig.json")),
                  ReadWholeFile(install.Child(L"expected_settings.json")));
        EXPECT_EQ(ReadWholeFile(install.Child(L"save\\Log.json")), ReadWholeFile(install.Child(L"expected_log.json")));

        ::PostMessageW(window, kMsgExitLauncher, 0, 0);
        EXPECT_EQ(launcher.WaitForExit(20000), 0);
    }
}

}  // namespace
