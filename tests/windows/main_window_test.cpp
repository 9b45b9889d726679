#include "windows/main_form.h"

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/launcher_context.h"
#include "app/launcher_messages.h"
#include "tests/app/scratch_folder.h"
#include "tests/ui/support/render_snapshot.h"
#include "tests/windows/dialog_test_support.h"
#include "ui/tab_box.h"
#include "windows/balloon_request.h"
#include "windows/launcher_ui.h"
#include "update/patch_applier.h"

namespace {

using dialog_test::WaitUntil;

constexpr DWORD kShortWaitMs = 1500;

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
        context_->messageBoxShown = false;
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

TEST_F(MainWindowTest, PreDownloadPagesKeepTheirSelectionForUnknownPages) {
    const auto selected = [this] {
        int index = -1;
        RunOnUi([&] {
            auto* tabs = dynamic_cast<ui::TabBox*>(FrameworkWindow(window_)->FindControl(std::wstring(L"tab_predlc")));
            if (tabs) index = tabs->GetCurSel();
        });
        return index;
    };
    EXPECT_EQ(selected(), 0);
    Send(kMsgPreDlcStatus, 2, 0);
    EXPECT_EQ(selected(), 2);
    Send(kMsgPreDlcStatus, 7, 1);
    EXPECT_EQ(selected(), 2);
}

TEST_F(MainWindowTest, BalloonRequestsOfAnotherSizeAreIgnored) {
    // The short block would be read past its end if its size were not checked.
    char bytes[16] = "short";
    COPYDATASTRUCT block{0, sizeof(bytes), bytes};
    Send(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&block));
    std::vector<char> whole(BalloonRequest::kBlockSize, 0);
    block = COPYDATASTRUCT{0, static_cast<DWORD>(whole.size()), whole.data()};
    Send(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&block));
    EXPECT_TRUE(::IsWindow(window_));
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
}

}  // namespace
