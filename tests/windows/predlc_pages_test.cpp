#include <windows.h>

#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "download/download_manager.h"
#include "tests/windows/page_host.h"
#include "ui/button.h"
#include "ui/progress.h"
#include "windows/tab_predlc_before.h"
#include "windows/tab_predlc_download.h"
#include "windows/tab_predlc_finish.h"

namespace {

using MainComponents::TabPreDlc;
using MainComponents::TabPreDlcBefore;
using MainComponents::TabPreDlcDownload;
using MainComponents::TabPreDlcFinish;
using page_test::PageHostForm;

class PreDlcPagesTest : public page_test::PageTest {
protected:
    void TearDown() override {
        DownloadManager::Instance().paused = false;
        LauncherContext::Instance()->settings.Update([](LauncherSettings& settings) { settings.languageType = 1; });
        PageTest::TearDown();
    }
    void OnDownloadPage(const std::function<void(TabPreDlcDownload&)>& body) {
        OnPage<TabPreDlcDownload>(&PageHostForm::preDlcTabs, TabPreDlc::kDownload, body);
    }
    std::wstring Title() { return TextOn(&PageHostForm::preDlcTabs, TabPreDlc::kDownload, L"text_title"); }
    std::wstring Percent() { return TextOn(&PageHostForm::preDlcTabs, TabPreDlc::kDownload, L"text_info"); }
    std::wstring ButtonImage(int index) {
        std::wstring image;
        RunOnUi([&] {
            if (ui::Control* button = ControlOn(&PageHostForm::preDlcTabs, index, L"btn_download_ctrl")) {
                image = button->GetStateImage(ui::kStateImageBk, ui::kControlStateNormal);
            }
        });
        return image;
    }
    static int CountPopups() {
        int count = 0;
        for (HWND at = ::FindWindowW(L"PreDlcPopupForm", nullptr); at; at = ::FindWindowExW(nullptr, at, L"PreDlcPopupForm", nullptr)) {
            count += ::IsWindowVisible(at) ? 1 : 0;
        }
        return count;
    }
};

TEST_F(PreDlcPagesTest, DotsMoveOnEachTickWhileRunningAndStandStillWhilePaused) {
    OnDownloadPage([](TabPreDlcDownload& page) { page.Refresh(0); });
    EXPECT_EQ(Title(), L"Check Resources");
    for (const wchar_t* want : {L"Check Resources.", L"Check Resources..", L"Check Resources...", L"Check Resources"}) {
        OnDownloadPage([](TabPreDlcDownload& page) { page.AnimateDots(); });
        EXPECT_EQ(Title(), want);
    }
    OnDownloadPage([](TabPreDlcDownload& page) { page.Refresh(1); });
    EXPECT_EQ(Title(), L"Downloading");

    DownloadManager::Instance().paused = true;
    OnDownloadPage([](TabPreDlcDownload& page) {
        page.Refresh(1);
        page.AnimateDots();
        EXPECT_TRUE(page.IsWaiting());
    });
    EXPECT_EQ(Title(), L"Paused");
    EXPECT_EQ(ButtonImage(TabPreDlc::kDownload), L"img_btnStart_normal.png");
}

TEST_F(PreDlcPagesTest, PausedRefreshShowsContinueAndResetsTheDetails) {
    OnDownloadPage([](TabPreDlcDownload& page) {
        page.Refresh(1);
        page.SetSpeed(61, 2048);
        page.Refresh(TabPreDlc::kCodePaused);
        EXPECT_TRUE(page.IsWaiting());
    });
    EXPECT_EQ(Title(), L"Paused");
    EXPECT_EQ(ButtonImage(TabPreDlc::kDownload), L"img_btnStart_normal.png");

    // The popup opened now shows the reset figures.
    OnDownloadPage([](TabPreDlcDownload&) {});
    PostMouse(WM_MOUSEMOVE, CentreOn(&PageHostForm::preDlcTabs, TabPreDlc::kDownload, L"box_hint"));
    const HWND popup = WaitForWindow(L"PreDlcPopupForm");
    ASSERT_TRUE(popup);
    EXPECT_EQ(LabelText(popup, L"text_dlc_time"), L"--:--:--");
    EXPECT_EQ(LabelText(popup, L"text_dlc_speed"), L"0KB/S");
}

TEST_F(PreDlcPagesTest, ResumeGoesBackToTheCodeBeforeThePause) {
    // Two pause messages before the resume: the second must not become the code to go back to.
    for (const auto& [code, pauses] : {std::pair{0, 1}, std::pair{1, 1}, std::pair{1, 2}}) {
        SCOPED_TRACE(testing::Message() << code << " after " << pauses << " pauses");
        OnDownloadPage([code = code, pauses = pauses](TabPreDlcDownload& page) {
            page.Refresh(code);
            for (int i = 0; i < pauses; ++i) page.SetPaused(true);
            EXPECT_EQ(page.Code(), TabPreDlc::kCodePaused);
        });
        EXPECT_EQ(Title(), L"Paused");
        OnDownloadPage([](TabPreDlcDownload& page) { page.SetPaused(false); });
        EXPECT_EQ(Title(), code == 0 ? L"Check Resources" : L"Downloading");
        EXPECT_EQ(ButtonImage(TabPreDlc::kDownload), L"img_btnPause_normal.png");
    }
}

TEST_F(PreDlcPagesTest, PercentFollowsTheBytesAndTheLanguage) {
    OnDownloadPage([](TabPreDlcDownload& page) {
        page.Refresh(1);
        page.SetBytes(3, 1);
    });
    EXPECT_EQ(Percent(), L"33%");
    LauncherContext::Instance()->settings.Update([](LauncherSettings& settings) { settings.languageType = 10; });
    OnDownloadPage([](TabPreDlcDownload& page) { page.Refresh(TabPreDlc::kCodeTextsOnly); });
    EXPECT_EQ(Percent(), L"%33");
    EXPECT_EQ(Title(), L"Downloading");  // the code stays

    OnDownloadPage([](TabPreDlcDownload& page) { page.SetBytes(0, 0); });
    EXPECT_EQ(Percent(), L"%33");
    RunOnUi([&] {
        auto* bar = dynamic_cast<ui::Progress*>(ControlOn(&PageHostForm::preDlcTabs, TabPreDlc::kDownload, L"progress"));
        ASSERT_TRUE(bar);
        EXPECT_DOUBLE_EQ(bar->GetValue(), 100.0);
    });
}

TEST_F(PreDlcPagesTest, HoverOverTheHintShowsOnePopupAndLeavingClosesIt) {
    OnDownloadPage([](TabPreDlcDownload& page) {
        page.Refresh(1);
        page.SetBytes(4 << 20, 1 << 20);
    });
    const POINT hint = CentreOn(&PageHostForm::preDlcTabs, TabPreDlc::kDownload, L"box_hint");
    PostMouse(WM_MOUSEMOVE, hint);
    ASSERT_TRUE(WaitForWindow(L"PreDlcPopupForm"));
    for (int dx = 1; dx <= 5; ++dx) PostMouse(WM_MOUSEMOVE, POINT{hint.x + dx, hint.y});
    ASSERT_TRUE(BecomesTrue([&] { return form_->GetLastMousePos().x == hint.x + 5; }));  // all moves handled
    EXPECT_EQ(CountPopups(), 1);
    EXPECT_EQ(LabelText(::FindWindowW(L"PreDlcPopupForm", nullptr), L"text_dlc_size"), L"( 1.00M/ 4.00M)");

    PostMouse(WM_MOUSEMOVE, POINT{5, 5});
    EXPECT_TRUE(dialog_test::WaitUntil([] { return CountPopups() == 0; }));
}

TEST_F(PreDlcPagesTest, APopupClosedBehindThePagesBackIsForgotten) {
    OnDownloadPage([](TabPreDlcDownload& page) { page.Refresh(1); });
    PostMouse(WM_MOUSEMOVE, CentreOn(&PageHostForm::preDlcTabs, TabPreDlc::kDownload, L"box_hint"));
    const HWND popup = WaitForWindow(L"PreDlcPopupForm");
    ASSERT_TRUE(popup);
    RunOnUi([popup] { ::DestroyWindow(popup); });
    OnDownloadPage([](TabPreDlcDownload& page) {
        EXPECT_EQ(page.Popup(), nullptr);
        page.SetSpeed(10, 1024);  // nothing to reach any more
        page.ClosePopup();
    });
}

TEST_F(PreDlcPagesTest, StartingWhileAnUpdateDownloadsShowsTheBusyNotice) {
    LauncherContext::Instance()->SetState(std::make_unique<page_test::FixedState>(kDownloadFilesStateType, kGameMode));
    OnPage<TabPreDlcBefore>(&PageHostForm::preDlcTabs, TabPreDlc::kBefore, [](TabPreDlcBefore&) {});
    EXPECT_EQ(ButtonImage(TabPreDlc::kBefore), L"img_predownload_normal.png");
    ClickAt(CentreOn(&PageHostForm::preDlcTabs, TabPreDlc::kBefore, L"btn_download_ctrl"));
    EXPECT_EQ(Boxes(1), std::vector<std::wstring>{L"STRING_ERROR_DLC_OCCUPIED"});
    EXPECT_EQ(::FindWindowW(L"PreDlcForm", nullptr), nullptr);

    // Once the update is done, the button asks for confirmation first.
    LauncherContext::Instance()->SetState(nullptr);
    ClickAt(CentreOn(&PageHostForm::preDlcTabs, TabPreDlc::kBefore, L"btn_download_ctrl"));
    const HWND confirm = WaitForWindow(L"PreDlcForm");
    ASSERT_TRUE(confirm);
    PressKey(confirm, VK_ESCAPE);
    EXPECT_TRUE(WaitForWindowGone(confirm));
}

TEST_F(PreDlcPagesTest, FinishPageSaysCompleted) {
    OnPage<TabPreDlcFinish>(&PageHostForm::preDlcTabs, TabPreDlc::kFinish, [](TabPreDlcFinish& page) { page.Refresh(0); });
    EXPECT_EQ(TextOn(&PageHostForm::preDlcTabs, TabPreDlc::kFinish, L"text_info"), L"Completed");
}

}  // namespace
