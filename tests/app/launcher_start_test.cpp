#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "base/path_util.h"
#include "tests/app/launcher_install.h"
#include "tests/app/launcher_process.h"
#include "ui/render/gdi_handles.h"

namespace {

// The game button's gold face right of its text, at the right end of the window's bottom band
// (148 pixels high, 40 from the right edge, 280 x 80): there only when the skin's images load.
bool GameButtonImageShows(HWND window) {
    RECT client{};
    ::GetClientRect(window, &client);
    POINT at{client.right - 40 - 30, client.bottom - 74};
    ::ClientToScreen(window, &at);
    const ui::ScopedScreenDc screen;
    const COLORREF pixel = ::GetPixel(screen.Get(), at.x, at.y);
    return GetRValue(pixel) > 180 && GetGValue(pixel) > 140 && GetBValue(pixel) < 140;
}

void ExpectWindowAndCleanExit(const LauncherInstall& install) {
    LauncherProcess launcher;
    ASSERT_TRUE(launcher.Start(install.Launcher(), L"", L""));
    HWND window = launcher.WaitForWindow(L"Launcher", 20000);
    ASSERT_NE(window, nullptr) << "no main window appeared";
    EXPECT_TRUE(WaitFor([window] { return ::IsWindowVisible(window) != FALSE; }, 10000));
    EXPECT_TRUE(WaitFor([window] { return GameButtonImageShows(window); }, 10000));
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(launcher.WaitForExit(20000), 0);
}

TEST(LauncherStart, ShowsItsWindowAndExitsCleanlyWhenItIsClosed) {
    struct Case {
        const char* what;
        const char* resourcesZip;  // beside the launcher; null for none
        const char* runtimeLibrary;  // cef\zel_libcef.dll; null for no cef folder
    } const cases[] = {
        {"the embedded archive", nullptr, nullptr},
        // Refused, so the embedded archive serves instead.
        {"a damaged resources.zip", "PK\x03\x04 damaged", nullptr},
        // The launcher runs without its browser.
        {"a runtime library that cannot be loaded", nullptr, "not a library"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LauncherInstall install;
        if (c.resourcesZip) install.WriteFile(L"resources.zip", c.resourcesZip);
        if (c.runtimeLibrary) {
            install.CreateFolder(L"cef");
            install.WriteFile(L"cef\\zel_libcef.dll", c.runtimeLibrary);
        }
        ExpectWindowAndCleanExit(install);
    }
}

TEST(LauncherStart, StartsAndEndsTheBrowserRuntimeOfItsCefFolder) {
    LauncherInstall install;
    const std::filesystem::path standIn(kbase::GetOwnModuleDirectory() + L"cef");
    ASSERT_TRUE(std::filesystem::is_directory(standIn)) << "no stand-in runtime beside the test";
    std::filesystem::copy(standIn, std::filesystem::path(install.Child(L"cef")));
    ExpectWindowAndCleanExit(install);
    std::ifstream file(std::filesystem::path(install.Child(L"cef_temp\\cef.log")));
    std::ostringstream journal;
    journal << file.rdbuf();
    const std::string text = journal.str();
    const std::size_t started = text.find("cef_initialize");
    ASSERT_NE(started, std::string::npos) << text;
    EXPECT_NE(text.find("cef_shutdown", started), std::string::npos) << text;
}

}  // namespace
