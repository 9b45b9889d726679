#include <gtest/gtest.h>

#include "app/launcher_messages.h"
#include "app/md5.h"
#include "app/run_program.h"
#include "tests/app/launcher_install.h"
#include "tests/app/launcher_process.h"

namespace {

constexpr int kGameButtonId = 1001;

TEST(LauncherGame, StartsTheGameWithItsCommandLineAndAnswersItsMessages) {
    GameWindowsCloser closer;
    LauncherInstall install;
    install.AddGame(L"Tarvenor Game");
    install.WriteFile(L"Tarvenor Game\\version_map.txt", R"({"version": "10077_1_2", "list": {}})");
    std::string md5;
    std::int64_t size = 0;
    ASSERT_TRUE(Md5OfFile(install.Child(L"Tarvenor Game\\version_map.txt"), md5, size));
    const std::wstring log = install.Child(L"koru.log");
    SetGameLog(log);

    LauncherProcess launcher;
    ASSERT_TRUE(launcher.Start(install.Launcher(), L"set_platform abc", L""));
    HWND window = launcher.WaitForWindow(L"Launcher", 20000);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitFor([&] { return ::IsWindowVisible(window) != FALSE; }, 10000));

    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(kGameButtonId, BN_CLICKED), 0);
    // The game registers, then asks for the pre-download state, bytes and speed and pings.
    const std::wstring answers[] = {L"message 2527 0 0", L"message 2529 0 0", L"message 2531 0 0",
                                    L"message 2532 0 0"};
    EXPECT_TRUE(WaitFor(
        [&] {
            for (const std::wstring& answer : answers)
                if (!GameLogHas(log, answer)) return false;
            return true;
        },
        30000))
        << "the game's log:\n" << testing::PrintToString(ReadGameLog(log));
    EXPECT_TRUE(GameLogHas(log, L"registered"));

    const std::wstring game = install.Child(L"Tarvenor Game\\KORU.exe");
    std::wstring md5Wide(md5.begin(), md5.end());
    EXPECT_EQ(FindGameLogLine(log, L"cmdline "), ProgramCommandLine(game, md5Wide + L" abc 0|1"));
    EXPECT_EQ(FindGameLogLine(log, L"cwd "), install.Child(L"Tarvenor Game"));
    EXPECT_FALSE(::IsWindowVisible(window));  // hidden once the game started

    ::PostMessageW(::FindWindowW(L"UnityWndClass", nullptr), WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return GameLogHas(log, L"exit"); }, 20000));
    ::PostMessageW(window, kMsgExitLauncher, 0, 0);
    EXPECT_EQ(launcher.WaitForExit(20000), 0);
}

}  // namespace
