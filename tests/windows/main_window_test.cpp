#include "windows/main_form.h"

#include <windows.h>
#include <shellapi.h>

#include <atomic>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/launcher_context.h"
#include "app/launcher_messages.h"
#include "tests/app/scratch_folder.h"
#include "tests/ui/support/render_snapshot.h"
#include "tests/windows/dialog_test_support.h"
#include "tests/windows/fixed_state.h"
#include "ui/list_box.h"
#include "ui/progress.h"
#include "ui/tab_box.h"
#include "update/patch_applier.h"
#include "update/predownload_state.h"
#include "windows/balloon_request.h"
#include "windows/launcher_ui.h"
#include "windows/page_controls.h"
#include "windows/tray_icon.h"

namespace {

using dialog_test::WaitUntil;

constexpr DWORD kShortWaitMs = 1500;
constexpr int kSkinWidth = 1280;
constexpr int kSkinHeight = 720;

// Whether the shell still knows the window's tray icon: only an icon that exists can be modified.
bool TrayIconExists(HWND window) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = window;
    return ::Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

// Stands in for the window procedure while a test wants a close asked for, not done.
WNDPROC framePrevious = nullptr;
std::atomic<bool> closeAsked{false};
LRESULT CALLBACK HoldClose(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_CLOSE) {
        closeAsked = true;
        return 0;
    }
    return ::CallWindowProcW(framePrevious, hwnd, message, w, l);
}

// A window that a balloon request names; Wine tells a window that it flashes by WM_NCACTIVATE.
std::atomic<int> flashes{0};
LRESULT CALLBACK CountFlashes(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCACTIVATE) ++flashes;
    return ::DefWindowProcW(hwnd, message, w, l);
}

// The real main window over the laid-out skin, in a scratch launcher folder (the working
// folder, where the settings are saved) whose game folder is "game".
class MainWindowTest : public dialog_test::DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        wchar_t previous[MAX_PATH] = {};
        ::GetCurrentDirectoryW(MAX_PATH, previous);
        previous_ = previous;
        ASSERT_TRUE(::SetCurrentDirectoryW(folder_.path().c_str()));
        ::CreateDirectoryW(L"save", nullptr);
        context_->SetUiServices(MakeLauncherUiServices());
        LauncherSettings settings = context_->settings.Get();
        settings.gamePath = L"game";
        settings.closeToHide = false;
        settings.autoUpdate = false;
        context_->settings.Set(settings);
        context_->firstRun = false;
        context_->askCloseBehaviour = false;
        context_->preDownloadActive = false;
        context_->preDownloadStep = 0;
        context_->messageBoxShown = false;
        context_->posters.clear();
        context_->news.clear();
        context_->SetFreeSpaceQuery([](const std::wstring&, std::uint64_t& bytes) {
            bytes = std::uint64_t{1} << 40;
            return true;
        });
        RunOnUi([] { ASSERT_TRUE(MainForm::CreateAndShow()); });
        window_ = context_->mainWindow.load();
        ASSERT_NE(window_, nullptr);
        WaitLaidOut(window_);
    }
    void TearDown() override {
        if (exited_) {
            // The UI loop has ended with the window: nothing more runs on it.
            ::SetCurrentDirectoryW(previous_.c_str());
            return;
        }
        RunOnUi([this] {
            if (::IsWindow(window_)) ::DestroyWindow(window_);
            context_->SetMainWindow(nullptr);
        });
        context_->SetState(nullptr);
        context_->preDownloadActive = false;
        context_->SetUiServices({});
        ::SetCurrentDirectoryW(previous_.c_str());
        DialogTest::TearDown();
    }

    void Send(UINT message, WPARAM w = 0, LPARAM l = 0) { ::SendMessageW(window_, message, w, l); }

    struct GameButton {
        std::wstring text;
        bool enabled = false;
        int page = -1;
    };
    GameButton ReadGameButton() {
        GameButton button;
        RunOnUi([&] {
            ui::Window* window = FrameworkWindow(window_);
            auto* control = dynamic_cast<ui::Button*>(window->FindControl(std::wstring(L"btn_game")));
            auto* tabs = dynamic_cast<ui::TabBox*>(window->FindControl(std::wstring(L"tab_assets")));
            ASSERT_TRUE(control && tabs);
            button = {control->GetText(), control->IsEnabled(), tabs->GetCurSel()};
        });
        return button;
    }
    // The painted colour inside a named control, near its left end (clear of its text), once
    // the window has painted.
    ui_test::Pixel PixelInside(const wchar_t* name) {
        POINT centre{};
        RunOnUi([&] {
            const RECT r = FrameworkWindow(window_)->FindControl(std::wstring(name))->GetPos();
            centre = {r.left + 24, (r.top + r.bottom) / 2};
        });
        ::RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        ui_test::Pixel pixel;
        RunOnUi([&] { pixel = ui_test::PixelAt(*FrameworkWindow(window_)->GetRenderContext(), centre.x, centre.y); });
        return pixel;
    }
    bool Visible() const { return ::IsWindowVisible(window_) != FALSE; }

    // Chooses an item of the tray menu (open is index 0, exit index 1) as the menu does: by the
    // item's WM_COMMAND. The menu's own modal loop is left out: keys posted to it under load can
    // leave the UI thread in it.
    void ChooseTrayMenuItem(int index) {
        UINT id = 0;
        RunOnUi([&] {
            const auto* tray = static_cast<const TrayIcon*>(::GetPropW(window_, TrayIcon::kWindowProperty));
            if (tray) id = ::GetMenuItemID(tray->PopupMenu(), index);
        });
        ASSERT_NE(id, 0u);
        ASSERT_NE(id, static_cast<UINT>(-1));
        ::PostMessageW(window_, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    }

    // The named control on the current page of a tab box of the window (names repeat across
    // pages, so the window's own lookup is of no use). UI thread.
    ui::Control* OnPage(const wchar_t* tabs, const wchar_t* name) {
        auto* box = dynamic_cast<ui::TabBox*>(FrameworkWindow(window_)->FindControl(std::wstring(tabs)));
        return FindNamedControl(CurrentPage<ui::Control>(box), name);
    }
    std::wstring PageText(const wchar_t* tabs, const wchar_t* name) {
        std::wstring text = L"<none>";
        RunOnUi([&] {
            if (auto* label = dynamic_cast<ui::Label*>(OnPage(tabs, name))) text = label->GetText();
        });
        return text;
    }
    double PageProgress(const wchar_t* tabs) {
        double value = -1;
        RunOnUi([&] {
            if (auto* bar = dynamic_cast<ui::Progress*>(OnPage(tabs, L"progress"))) value = bar->GetValue();
        });
        return value;
    }
    struct PageButton {
        bool visible = false;
        bool enabled = false;
    };
    PageButton ReadPageButton(const wchar_t* tabs) {
        PageButton button;
        RunOnUi([&] {
            if (ui::Control* control = OnPage(tabs, L"btn_download_ctrl")) button = {control->IsVisible(), control->IsEnabled()};
        });
        return button;
    }
    void ClickOnPage(const wchar_t* tabs, const wchar_t* name) {
        POINT at{-1, -1};
        RunOnUi([&] {
            ::UpdateWindow(window_);  // lays out the page just selected
            if (ui::Control* control = OnPage(tabs, name)) {
                const RECT r = control->GetPos();
                at = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
            }
        });
        ASSERT_GE(at.x, 0);
        ::PostMessageW(window_, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
        ::PostMessageW(window_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        ::PostMessageW(window_, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    }
    int Selected(const wchar_t* name) {
        int index = -2;
        RunOnUi([&] {
            ui::Control* control = FrameworkWindow(window_)->FindControl(std::wstring(name));
            if (auto* tabs = dynamic_cast<ui::TabBox*>(control)) index = tabs->GetCurSel();
            if (auto* list = dynamic_cast<ui::ListBox*>(control)) index = list->GetCurSel();
        });
        return index;
    }

    LauncherContext* context_ = LauncherContext::Instance();
    ScratchFolder folder_;
    std::wstring previous_;
    HWND window_ = nullptr;
    bool exited_ = false;
};

bool IsGolden(const ui_test::Pixel& pixel) { return pixel.r > 180 && pixel.g > 120 && pixel.b < 120; }

TEST_F(MainWindowTest, TheGameButtonFollowsTheGameFolderAndThePauses) {
    // Until the first state report the button waits, disabled.
    EXPECT_EQ(ReadGameButton().text, L"START");
    EXPECT_FALSE(ReadGameButton().enabled);
    EXPECT_FALSE(IsGolden(PixelInside(L"btn_game")));

    Send(kMsgStateChanged);
    GameButton button = ReadGameButton();
    EXPECT_EQ(button.text, L"INSTALL");
    EXPECT_TRUE(button.enabled);
    EXPECT_EQ(button.page, 1);
    EXPECT_TRUE(IsGolden(PixelInside(L"btn_game")));

    ASSERT_TRUE(::CreateDirectoryW(folder_.Child(L"game").c_str(), nullptr));
    folder_.WriteFile(L"game\\KORU.exe", "MZ");
    Send(kMsgGameUpdateAvailable);
    button = ReadGameButton();
    EXPECT_EQ(button.text, L"START");
    EXPECT_EQ(button.page, 0);

    // Two pauses bring back the text from before the first; a resume without a pause keeps it.
    Send(kMsgDownloadPaused, 0, 1);
    EXPECT_EQ(ReadGameButton().text, L"PAUSED");
    Send(kMsgDownloadPaused, 0, 1);
    Send(kMsgDownloadPaused, 0, 0);
    EXPECT_EQ(ReadGameButton().text, L"START");
    Send(kMsgDownloadPaused, 0, 2);
    EXPECT_EQ(ReadGameButton().text, L"START");

    // An interrupted download after a box was shown waits for the user.
    context_->messageBoxShown = true;
    folder_.WriteFile(L"game\\tmp_version_map.txt", "");
    Send(kMsgStateChanged);
    button = ReadGameButton();
    EXPECT_EQ(button.text, L"Continue");
    EXPECT_TRUE(button.enabled);
}

TEST_F(MainWindowTest, ClickingInstallMakesTheGameFolder) {
    Send(kMsgStateChanged);
    ASSERT_EQ(ReadGameButton().text, L"INSTALL");
    Click(window_, L"btn_game");
    EXPECT_TRUE(WaitUntil([this] { return ::GetFileAttributesW(folder_.Child(L"game").c_str()) != INVALID_FILE_ATTRIBUTES; }));
}

TEST_F(MainWindowTest, ClosingHidesToTheTrayAndTheTrayBringsTheWindowBack) {
    LauncherSettings settings = context_->settings.Get();
    settings.closeToHide = true;
    context_->settings.Set(settings);

    Click(window_, L"btn_close");
    ASSERT_TRUE(WaitUntil([this] { return !Visible(); }));
    Send(kMsgTrayIcon, 0, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(Visible());

    Send(kMsgHideToTray);
    ASSERT_FALSE(Visible());
    Send(WM_COMMAND, kMsgShowLauncher, 0);  // the tray menu's open item
    EXPECT_TRUE(Visible());
}

TEST_F(MainWindowTest, TheFirstCloseOfAFirstRunAsksOnce) {
    context_->firstRun = true;
    context_->askCloseBehaviour = true;

    // Dismissed: the window stays, and the question is not asked again in this run.
    Click(window_, L"btn_close");
    HWND box = WaitForWindow(L"OptionsBox");
    ASSERT_NE(box, nullptr);
    WaitLaidOut(box);
    PressKey(box, VK_ESCAPE);
    ASSERT_TRUE(WaitForWindowGone(box));
    EXPECT_TRUE(Visible());
    EXPECT_FALSE(context_->askCloseBehaviour);

    // Confirmed with the preselected first option: the window hides and that is remembered.
    context_->askCloseBehaviour = true;
    Click(window_, L"btn_close");
    box = WaitForWindow(L"OptionsBox");
    ASSERT_NE(box, nullptr);
    WaitLaidOut(box);
    Click(box, L"btn_ok");
    ASSERT_TRUE(WaitUntil([this] { return !Visible(); }));
    EXPECT_TRUE(context_->settings.Get().closeToHide);
    EXPECT_NE(ReadWholeFile(folder_.Child(L"save\\EnvConfig.json")), "");
}

TEST_F(MainWindowTest, ClosingDuringADownloadAsksAndCancelKeepsTheWindow) {
    context_->preDownloadActive = true;
    Click(window_, L"btn_close");
    const HWND box = WaitForWindow(L"MsgBox");
    ASSERT_NE(box, nullptr);
    WaitLaidOut(box);
    EXPECT_EQ(LabelText(box, L"content"), L"A download is in progress. Close the launcher anyway?");
    Click(box, L"btn_no");
    ASSERT_TRUE(WaitForWindowGone(box));
    EXPECT_TRUE(Visible());
    EXPECT_TRUE(::IsWindow(window_));
}

TEST_F(MainWindowTest, GameWindowsRegisterOnceAndDeadOnesLeave) {
    HWND first = nullptr, second = nullptr;
    RunOnUi([&] {
        first = ::CreateWindowExW(0, L"STATIC", L"game", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        second = ::CreateWindowExW(0, L"STATIC", L"game", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    });
    context_->gameWindows.Refresh();
    Send(kMsgGameWindow, 0, reinterpret_cast<LPARAM>(first));
    Send(kMsgGameWindow, 0, reinterpret_cast<LPARAM>(first));
    EXPECT_EQ(context_->gameWindows.Snapshot(), std::vector<HWND>{first});
    RunOnUi([&] { ::DestroyWindow(first); });
    Send(kMsgGameWindow, 0, reinterpret_cast<LPARAM>(second));
    EXPECT_EQ(context_->gameWindows.Snapshot(), std::vector<HWND>{second});
    RunOnUi([&] { ::DestroyWindow(second); });
}

TEST_F(MainWindowTest, TheDownloadPageShowsTheWorkersFiguresAndPauses) {
    context_->SetState(std::make_unique<FixedState>(kDownloadFilesStateType, kGameMode));
    Send(kMsgStateChanged);
    ASSERT_EQ(ReadGameButton().page, 2);
    EXPECT_EQ(PageText(L"tab_assets", L"text_download_time"), L"Waiting...");

    Send(kMsgDownloadProgress, 2147483648, 536870912);
    Send(kMsgDownloadSpeed, 3725, 1048576);
    EXPECT_EQ(PageText(L"tab_assets", L"text_download_info"), L"Downloading game resources: 25.00% (512.00M/ 2.00G)");
    EXPECT_EQ(PageText(L"tab_assets", L"text_download_time"), L"Time remaining: 01:02:05");
    EXPECT_EQ(PageText(L"tab_assets", L"text_download_speed"), L"Download speed:  1.00M/S");
    EXPECT_DOUBLE_EQ(PageProgress(L"tab_assets"), 25.0);
    // Done beyond the total is no figure.
    Send(kMsgDownloadProgress, 10, 20);
    EXPECT_EQ(PageText(L"tab_assets", L"text_download_info"), L"Downloading game resources: 25.00% (512.00M/ 2.00G)");

    // The pause button asks once, then waits for the worker's answer.
    ClickOnPage(L"tab_assets", L"btn_download_ctrl");
    EXPECT_TRUE(WaitUntil([this] { return !ReadPageButton(L"tab_assets").enabled; }));
    Send(kMsgDownloadPaused, 0, 1);
    EXPECT_TRUE(ReadPageButton(L"tab_assets").enabled);
    EXPECT_EQ(PageText(L"tab_assets", L"text_download_speed"), L"Download speed: 0.00KB/S");
    EXPECT_EQ(ReadGameButton().text, L"PAUSED");
    Send(kMsgDownloadPaused, 0, 0);
    EXPECT_EQ(ReadGameButton().text, L"START");

    // Verifying after the download: no pause, the bar follows the check.
    Send(kMsgCheckProgress, 0, 40);
    EXPECT_FALSE(ReadPageButton(L"tab_assets").visible);
    EXPECT_DOUBLE_EQ(PageProgress(L"tab_assets"), 40.0);
    context_->SetState(std::make_unique<FixedState>(kCheckVersionStateType, kGameMode));
    Send(kMsgStateChanged);
    ASSERT_EQ(ReadGameButton().page, 3);
    Send(kMsgCheckProgress, (5 << 16) | 2, 60);
    EXPECT_EQ(PageText(L"tab_assets", L"text_check_asset"), L"(2/5)");
    EXPECT_DOUBLE_EQ(PageProgress(L"tab_assets"), 60.0);
}

TEST_F(MainWindowTest, ADownloadingPreDownloadShowsItsFiguresOnItsOwnPage) {
    EXPECT_EQ(Selected(L"tab_predlc"), 0);
    context_->preDownloadActive = true;
    context_->preDownloadStep = kPreDownloadDownloading;
    Send(kMsgPreDlcStatus, 2, 1);
    ASSERT_EQ(Selected(L"tab_predlc"), 2);
    EXPECT_EQ(PageText(L"tab_predlc", L"text_title"), L"Downloading");
    // An unknown page keeps the selection.
    Send(kMsgPreDlcStatus, 7, 1);
    EXPECT_EQ(Selected(L"tab_predlc"), 2);

    Send(kMsgDownloadProgress, 3, 1);
    EXPECT_EQ(PageText(L"tab_predlc", L"text_info"), L"33%");
    Send(kMsgUiTick);
    EXPECT_EQ(PageText(L"tab_predlc", L"text_title"), L"Downloading.");
    Send(kMsgDownloadPaused, 0, 1);
    EXPECT_EQ(PageText(L"tab_predlc", L"text_title"), L"Paused");
    // The game area keeps its own look.
    EXPECT_EQ(ReadGameButton().text, L"START");
    EXPECT_EQ(ReadGameButton().page, 0);

    Send(kMsgPreDlcStatus, 3, 0);
    EXPECT_EQ(PageText(L"tab_predlc", L"text_info"), L"Completed");
}

TEST_F(MainWindowTest, TheSettingsButtonOpensTheSettingsWindowOverTheMainWindow) {
    Click(window_, L"btn_settings");
    const HWND settings = WaitForWindow(L"SettingForm");
    ASSERT_NE(settings, nullptr);
    EXPECT_FALSE(::IsWindowEnabled(window_));
    WaitLaidOut(settings);
    Send(kMsgStateChanged);  // refreshes the open settings pages
    PressKey(settings, VK_ESCAPE);
    ASSERT_TRUE(WaitForWindowGone(settings));
    EXPECT_TRUE(::IsWindowEnabled(window_));
}

TEST_F(MainWindowTest, PostersAndNewsFollowTheContextAndTheUser) {
    context_->posters = {{"../public/poster_placeholder.png", "FAQ"}, {"../public/poster_placeholder.png", "FAQ"}};
    context_->news = {{"News", {{"First", "12/01", "", ""}}}, {"Events", {{"Second", "12/02", "", ""}}}};
    Send(kMsgRefreshContent);
    WaitLaidOut(window_);
    EXPECT_EQ(Selected(L"dot_list"), 0);
    EXPECT_EQ(Selected(L"tab_pages"), 0);
    const auto enabled = [this](const wchar_t* name) {
        bool on = false;
        RunOnUi([&] { on = FrameworkWindow(window_)->FindControl(std::wstring(name))->IsEnabled(); });
        return on;
    };
    EXPECT_FALSE(enabled(L"btn_scroll_left"));
    Click(window_, L"btn_scroll_right");
    EXPECT_TRUE(WaitUntil([&] { return Selected(L"dot_list") == 1; }));
    EXPECT_FALSE(enabled(L"btn_scroll_right"));
    EXPECT_TRUE(enabled(L"btn_scroll_left"));

    POINT header{-1, -1};
    RunOnUi([&] {
        auto* headers = dynamic_cast<ui::ListBox*>(FrameworkWindow(window_)->FindControl(std::wstring(L"tab_labels")));
        const RECT r = headers->GetItemAt(1)->GetPos();
        header = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    });
    ::PostMessageW(window_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(header.x, header.y));
    ::PostMessageW(window_, WM_LBUTTONUP, 0, MAKELPARAM(header.x, header.y));
    EXPECT_TRUE(WaitUntil([&] { return Selected(L"tab_pages") == 1; }));

    // Emptied lists leave the controls empty and the scroll buttons hidden.
    context_->posters.clear();
    context_->news.clear();
    Send(kMsgRefreshContent);
    EXPECT_EQ(Selected(L"dot_list"), -1);
    RunOnUi([&] { EXPECT_FALSE(FrameworkWindow(window_)->FindControl(std::wstring(L"btn_scroll_right"))->IsVisible()); });
}

TEST_F(MainWindowTest, OnlyAWholeBalloonRequestFlashesTheWindowItNames) {
    HWND requester = nullptr;
    RunOnUi([&] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = &CountFlashes;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"BalloonRequester";
        ::RegisterClassExW(&windowClass);
        requester = ::CreateWindowExW(0, L"BalloonRequester", L"requester", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                      ::GetModuleHandleW(nullptr), nullptr);
    });
    ASSERT_NE(requester, nullptr);
    std::vector<unsigned char> whole(BalloonRequest::kBlockSize, 0);
    const wchar_t title[] = L"Tarvenor";
    std::memcpy(whole.data(), title, sizeof(title));
    const auto handle = reinterpret_cast<std::uintptr_t>(requester);
    for (std::size_t i = 0; i < 8; ++i) whole[2688 + i] = static_cast<unsigned char>(handle >> (8 * i));
    const auto send = [&](std::size_t size) {
        COPYDATASTRUCT block{0, static_cast<DWORD>(size), whole.data()};
        ::SendMessageW(window_, WM_COPYDATA, reinterpret_cast<WPARAM>(requester), reinterpret_cast<LPARAM>(&block));
    };

    // The short block names the same window, but would be read past its end.
    flashes = 0;
    send(whole.size() - 8);
    EXPECT_EQ(flashes, 0);
    send(whole.size());
    EXPECT_GT(flashes, 0);
    RunOnUi([&] { ::DestroyWindow(requester); });
}

TEST_F(MainWindowTest, TheTrayMenuShowsTheHiddenWindowAndItsExitItemExits) {
    EXPECT_NE(::GetPropW(window_, TrayIcon::kWindowProperty), nullptr);
    Send(kMsgHideToTray);
    ASSERT_FALSE(Visible());
    EXPECT_TRUE(TrayIconExists(window_));
    ASSERT_NO_FATAL_FAILURE(ChooseTrayMenuItem(0));
    EXPECT_TRUE(WaitUntil([this] { return Visible(); }));

    // The exit item stops a patch and closes the window; the close itself is the last test's.
    PatchCancelFlag = false;
    closeAsked = false;
    RunOnUi([this] {
        framePrevious = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HoldClose)));
    });
    ChooseTrayMenuItem(1);
    EXPECT_TRUE(WaitUntil([] { return closeAsked.load(); }));
    RunOnUi([this] { ::SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(framePrevious)); });
    EXPECT_TRUE(PatchCancelFlag);
    EXPECT_TRUE(::IsWindow(window_));
}

TEST_F(MainWindowTest, TheWindowIsTheSkinsSizeWithoutAFrame) {
    RECT client{}, frame{};
    ::GetClientRect(window_, &client);
    ::GetWindowRect(window_, &frame);
    EXPECT_EQ(client.right - client.left, kSkinWidth);
    EXPECT_EQ(client.bottom - client.top, kSkinHeight);
    EXPECT_EQ(frame.right - frame.left, kSkinWidth);
    EXPECT_EQ(frame.bottom - frame.top, kSkinHeight);
}

// A page's new window opens in the shell only for web addresses: a local program named by
// the page must not start. The program writes a marker when it runs.
TEST_F(MainWindowTest, PagePopupsOpenOnlyWebAddresses) {
    folder_.WriteFile(L"mark.cmd", "@echo ran> marker.txt\r\n");
    const std::wstring script = folder_.Child(L"mark.cmd");
    std::string path(script.begin(), script.end());
    std::string fileUrl = "file:///" + path;
    for (const std::string& url : {path, fileUrl}) {
        RunOnUi([&] {
            auto* form = dynamic_cast<MainForm*>(FrameworkWindow(window_));
            ASSERT_NE(form, nullptr);
            EXPECT_FALSE(form->OnWebViewPopup(url));
        });
    }
    const auto ran = [this] { return ::GetFileAttributesW(folder_.Child(L"marker.txt").c_str()) != INVALID_FILE_ATTRIBUTES; };
    EXPECT_FALSE(WaitUntil(ran, kShortWaitMs * 2));
    // The same program started directly does write its marker: the check above can fail.
    ::ShellExecuteW(window_, L"open", script.c_str(), nullptr, folder_.path().c_str(), SW_HIDE);
    EXPECT_TRUE(WaitUntil(ran));
}

// Last: exiting ends the window's UI loop.
TEST_F(MainWindowTest, ClosingWithoutTrayExitsAndStopsAPatch) {
    PatchCancelFlag = false;
    Click(window_, L"btn_close");
    exited_ = WaitForWindowGone(window_);
    EXPECT_TRUE(exited_);
    EXPECT_TRUE(PatchCancelFlag);
    EXPECT_EQ(context_->mainWindow.load(), nullptr);
    // Nothing of the launcher is left in the notification area.
    EXPECT_FALSE(TrayIconExists(window_));
}

}  // namespace
