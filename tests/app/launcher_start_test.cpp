#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/launcher_messages.h"
#include "base/path_util.h"
#include "base/string_conversions.h"
#include "tests/app/launcher_install.h"
#include "tests/app/launcher_process.h"
#include "tests/app/scratch_folder.h"
#include "tests/support/test_server.h"
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
        // No runtime was started: it would have made its cache and journal folder.
        EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(install.Child(L"cef_temp"))));
    }
}

// The page's colour, far from the placeholder poster behind the hidden view.
constexpr COLORREF kActivityColour = RGB(0x2a, 0x8f, 0x5c);

// The activity view's lower right: the view fills the bottom of a 420 x 300 box whose bottom
// right stands 32 from the window's right edge and 24 above the 148-pixel game band.
bool ActivityPageShows(HWND window) {
    RECT client{};
    ::GetClientRect(window, &client);
    POINT at{client.right - 32 - 10, client.bottom - 148 - 24 - 10};
    ::ClientToScreen(window, &at);
    const ui::ScopedScreenDc screen;
    const COLORREF pixel = ::GetPixel(screen.Get(), at.x, at.y);
    const auto close = [](int a, int b) { return a - b <= 3 && b - a <= 3; };  // the view blends just below opaque
    return close(GetRValue(pixel), GetRValue(kActivityColour)) && close(GetGValue(pixel), GetGValue(kActivityColour)) &&
           close(GetBValue(pixel), GetBValue(kActivityColour));
}

// Each of lines appears in text after the one before it; the first that does not, or empty.
std::string FirstOutOfOrder(const std::string& text, const std::vector<std::string>& lines) {
    std::size_t at = 0;
    for (const std::string& line : lines) {
        at = text.find(line, at);
        if (at == std::string::npos) return line;
        at += line.size();
    }
    return std::string();
}

TEST(LauncherStart, ShowsTheActivityPageOnItsBrowserRuntimeAndEndsItInOrderOnExit) {
    ScratchFolder site;
    site.WriteFile(L"activity.html",
                   "<html><head><title>Activity</title></head><body style=\"background:#2a8f5c\"></body></html>");
    TestServer server;
    ASSERT_TRUE(server.Start(site.path()));
    const std::string page = server.BaseUrl(0) + "activity.html";

    LauncherInstall install;
    const std::filesystem::path standIn(kbase::GetOwnModuleDirectory() + L"cef");
    ASSERT_TRUE(std::filesystem::is_directory(standIn)) << "no stand-in runtime beside the test";
    std::filesystem::copy(standIn, std::filesystem::path(install.Child(L"cef")));
    install.CreateFolder(L"save");
    install.WriteFile(L"save\\setting.json", "{\"ActivityURL\": \"" + page + "\"}");

    LauncherProcess launcher;
    ASSERT_TRUE(launcher.Start(install.Launcher(), L"", L""));
    HWND window = launcher.WaitForWindow(L"Launcher", 20000);
    ASSERT_NE(window, nullptr) << "no main window appeared";
    EXPECT_TRUE(WaitFor([window] { return ActivityPageShows(window); }, 30000)) << "the activity page is not shown";
    ::PostMessageW(window, kMsgExitLauncher, 0, 0);
    EXPECT_EQ(launcher.WaitForExit(20000), 0) << "the launcher did not end on the exit message";

    std::string temp;
    kbase::WideToUtf8(install.Child(L"cef_temp\\"), temp);
    // The stand-in's journal: start-up, the page, and shutdown after every browser has closed.
    const std::vector<std::string> order = {
        "cef_enable_highdpi_support",
        "cef_execute_process: the browser process",
        "cef_initialize",
        "settings: no_sandbox=1 single_process=0 multi_threaded_message_loop=1 windowless_rendering_enabled=1 "
        "cache_path=" + temp + "CefLocalStorage log_file=" + temp + "cef.log browser_subprocess_path=.\\cef\\cef_helper.exe",
        "cache folder " + temp + "CefLocalStorage created",
        "-> OnBeforeCommandLineProcessing(\"\")",
        "switches: --ppapi-flash-version=20.0.0.228 --ppapi-flash-path=PepperFlash\\pepflashplayer.dll "
        "--process-per-site --disable-gpu --disable-gpu-compositing --disable-surfaces --enable-begin-frame-scheduling",
        "-> OnRegisterCustomSchemes",
        "helper started",
        "-> OnContextInitialized",
        "cookie manager: SetSupportedSchemes(http, https)",
        "cef_browser_host_create_browser(",
        "-> OnAfterCreated(",
        "GET " + page,
        "-> OnLoadEnd(",
        "CloseBrowser(force)",
        "-> OnBeforeClose(",
        "cef_shutdown",
        "helper: told to end",
        "helper ended with 0",
        "cef_shutdown: done\r\n"};
    const std::string journal = ReadWholeFile(install.Child(L"cef_temp\\cef.log"));
    EXPECT_EQ(FirstOutOfOrder(journal, order), "") << journal;
    EXPECT_EQ(journal.find("still open at shutdown"), std::string::npos) << journal;
    EXPECT_TRUE(journal.ends_with(order.back())) << journal;
}

}  // namespace
