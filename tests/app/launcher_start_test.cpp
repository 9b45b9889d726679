#include <gtest/gtest.h>

#include "tests/app/launcher_install.h"
#include "tests/app/launcher_process.h"

namespace {

TEST(LauncherStart, ShowsItsWindowAndExitsCleanlyWhenItIsClosed) {
    LauncherInstall install;
    LauncherProcess launcher;
    ASSERT_TRUE(launcher.Start(install.Launcher(), L"", L""));
    HWND window = launcher.WaitForWindow(L"Launcher", 20000);
    ASSERT_NE(window, nullptr) << "no main window appeared";
    EXPECT_TRUE(WaitFor([window] { return ::IsWindowVisible(window) != FALSE; }, 10000));
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(launcher.WaitForExit(20000), 0);
}

}  // namespace
