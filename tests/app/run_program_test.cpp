#include "app/run_program.h"

#include <gtest/gtest.h>

#include "app/command_line.h"
#include "tests/app/launcher_install.h"
#include "tests/app/launcher_process.h"

namespace {

TEST(RunProgram, StartsAPathWithBlanksWithItsOwnArgumentsAndFolder) {
    GameWindowsCloser closer;
    LauncherInstall install;
    install.AddGame(L"dir with blanks");
    const std::wstring game = install.Child(L"dir with blanks\\KORU.exe");
    const std::wstring log = install.Child(L"koru.log");
    SetGameLog(log, 1000);

    ASSERT_TRUE(RunProgram(game, L"a \"b c\"", install.Child(L"dir with blanks")));
    ASSERT_TRUE(WaitFor([&] { return GameLogHas(log, L"exit"); }, 20000));
    const std::wstring commandLine = FindGameLogLine(log, L"cmdline ");
    EXPECT_EQ(commandLine, ProgramCommandLine(game, L"a \"b c\""));
    EXPECT_EQ(SplitCommandLine(commandLine.c_str()), (std::vector<std::wstring>{game, L"a", L"b c"}));
    EXPECT_EQ(FindGameLogLine(log, L"cwd "), install.Child(L"dir with blanks"));
}

TEST(RunProgram, RefusesWhatCannotStart) {
    LauncherInstall install;
    EXPECT_FALSE(RunProgram(L"", L"", L""));
    EXPECT_FALSE(RunProgram(install.Child(L"missing.exe"), L"", L""));
}

}  // namespace
