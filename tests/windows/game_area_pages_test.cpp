#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "download/download_manager.h"
#include "tests/windows/page_host.h"
#include "ui/button.h"
#include "ui/progress.h"
#include "windows/tab_asset_check.h"
#include "windows/tab_asset_download.h"
#include "windows/tab_asset_setup.h"

namespace {

using MainComponents::TabAsset;
using MainComponents::TabAssetCheck;
using MainComponents::TabAssetDownload;
using MainComponents::TabAssetSetup;
using page_test::PageHostForm;

constexpr std::int64_t kMiB = 1LL << 20;
constexpr std::int64_t kGiB = 1LL << 30;

class GameAreaPagesTest : public page_test::PageTest {
protected:
    void TearDown() override {
        DownloadManager::Instance().paused = false;
        PageTest::TearDown();
    }
    std::wstring DownloadText(const wchar_t* name) { return TextOn(&PageHostForm::assetTabs, TabAsset::kDownload, name); }
    void OnDownloadPage(const std::function<void(TabAssetDownload&)>& body) {
        OnPage<TabAssetDownload>(&PageHostForm::assetTabs, TabAsset::kDownload, body);
    }
};

TEST_F(GameAreaPagesTest, DownloadPageShowsTheFiguresOfTheMessages) {
    OnDownloadPage([](TabAssetDownload& page) {
        page.SetBytes(2 * kGiB, 512 * kMiB);
        page.SetSpeed(3725, 512.0 * 1024);
    });
    EXPECT_EQ(DownloadText(L"text_download_info"), L"Downloading game resources: 25.00% (512.00M/ 2.00G)");
    EXPECT_EQ(DownloadText(L"text_download_time"), L"Time remaining: 01:02:05");
    EXPECT_EQ(DownloadText(L"text_download_speed"), L"Download speed: 512.00KB/S");
    RunOnUi([&] {
        auto* bar = dynamic_cast<ui::Progress*>(ControlOn(&PageHostForm::assetTabs, TabAsset::kDownload, L"progress"));
        ASSERT_TRUE(bar);
        EXPECT_DOUBLE_EQ(bar->GetValue(), 25.0);
    });

    // A total below what is done is no progress: the figures stay.
    OnDownloadPage([](TabAssetDownload& page) { page.SetBytes(100, 200); });
    EXPECT_EQ(DownloadText(L"text_download_info"), L"Downloading game resources: 25.00% (512.00M/ 2.00G)");

    // Launcher files say so.
    LauncherContext::Instance()->SetState(std::make_unique<page_test::FixedState>(kDownloadFilesStateType, kLauncherMode));
    OnDownloadPage([](TabAssetDownload& page) { page.SetBytes(4 * kMiB, 1 * kMiB); });
    EXPECT_EQ(DownloadText(L"text_download_info"), L"Update Launcher: 25.00% ( 1.00M/ 4.00M)");
}

TEST_F(GameAreaPagesTest, RefreshShowsWaitingUnlessPausedThenTheKeptFigures) {
    OnDownloadPage([](TabAssetDownload& page) {
        page.SetBytes(4 * kMiB, 2 * kMiB);
        page.SetSpeed(61, 2048);
        page.Refresh();
    });
    EXPECT_EQ(DownloadText(L"text_download_info"), L" ");
    EXPECT_EQ(DownloadText(L"text_download_speed"), L"");
    EXPECT_EQ(DownloadText(L"text_download_time"), L"Waiting...");

    DownloadManager::Instance().paused = true;
    OnDownloadPage([](TabAssetDownload& page) { page.Refresh(); });
    EXPECT_EQ(DownloadText(L"text_download_info"), L"Downloading game resources: 50.00% ( 2.00M/ 4.00M)");
    EXPECT_EQ(DownloadText(L"text_download_time"), L"Time remaining: 00:01:01");
}

TEST_F(GameAreaPagesTest, PauseButtonDisablesOnClickAndThePauseMessageSwitchesItsLook) {
    OnDownloadPage([](TabAssetDownload&) {});
    const POINT button = CentreOn(&PageHostForm::assetTabs, TabAsset::kDownload, L"btn_download_ctrl");
    ASSERT_GE(button.x, 0);
    ClickAt(button);
    ui::Button* control = nullptr;
    RunOnUi([&] {
        control = dynamic_cast<ui::Button*>(ControlOn(&PageHostForm::assetTabs, TabAsset::kDownload, L"btn_download_ctrl"));
    });
    ASSERT_TRUE(control);
    EXPECT_TRUE(BecomesTrue([&] { return !control->IsEnabled(); }));  // until the pause state arrives
    int width = 0;
    RunOnUi([&] { width = control->GetFixedWidth(); });

    OnDownloadPage([](TabAssetDownload& page) { page.SetPaused(true); });
    RunOnUi([&] {
        EXPECT_TRUE(control->IsEnabled());
        EXPECT_EQ(control->GetStateImage(ui::kStateImageBk, ui::kControlStateNormal), L"img_btn_Play_normal.png");
        EXPECT_EQ(control->GetFixedWidth(), width);
    });
    EXPECT_EQ(DownloadText(L"text_download_speed"), L"Download speed: 0.00KB/S");

    OnDownloadPage([](TabAssetDownload& page) { page.SetPaused(false); });
    RunOnUi([&] {
        EXPECT_EQ(control->GetStateImage(ui::kStateImageBk, ui::kControlStateNormal), L"img_btn_Pause_normal.png");
    });
}

TEST_F(GameAreaPagesTest, CheckPageCountsFromTheMessage) {
    OnPage<TabAssetCheck>(&PageHostForm::assetTabs, TabAsset::kCheck, [](TabAssetCheck& page) {
        page.SetProgress((12 << 16) | 5, 40);
    });
    EXPECT_EQ(TextOn(&PageHostForm::assetTabs, TabAsset::kCheck, L"text_check_asset"), L"(5/12)");
    OnPage<TabAssetCheck>(&PageHostForm::assetTabs, TabAsset::kCheck, [](TabAssetCheck& page) { page.SetProgress(0, 50); });
    EXPECT_EQ(TextOn(&PageHostForm::assetTabs, TabAsset::kCheck, L"text_check_asset"), L"");
}

TEST_F(GameAreaPagesTest, SetupPageOpensTheInstallationDialogAndInstallsOnlyWithEnoughSpace) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / L"pages_test_install" / L"Tarvenor Game";
    std::filesystem::remove_all(folder.parent_path());
    LauncherContext* context = LauncherContext::Instance();
    context->settings.Update([&](LauncherSettings& settings) { settings.gamePath = folder.wstring(); });
    OnPage<TabAssetSetup>(&PageHostForm::assetTabs, TabAsset::kSetup, [](TabAssetSetup& page) { page.Refresh(); });
    EXPECT_EQ(TextOn(&PageHostForm::assetTabs, TabAsset::kSetup, L"text_set_path"), folder.wstring());
    EXPECT_EQ(TextOn(&PageHostForm::assetTabs, TabAsset::kSetup, L"text_title"), L"Installation path");

    ClickAt(CentreOn(&PageHostForm::assetTabs, TabAsset::kSetup, L"btn_set_path"));
    const HWND dialog = WaitForWindow(L"SetupPathForm");
    ASSERT_TRUE(dialog);
    PressKey(dialog, VK_ESCAPE);
    EXPECT_TRUE(WaitForWindowGone(dialog));

    // Too little room: the notice, no folder, no update.
    context->SetFreeSpaceQuery([](const std::wstring&, std::uint64_t& bytes) {
        bytes = 1024;
        return true;
    });
    OnPage<TabAssetSetup>(&PageHostForm::assetTabs, TabAsset::kSetup, [](TabAssetSetup& page) { page.OnSetupPathResult(1); });
    EXPECT_EQ(Boxes(1).size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(folder));

    context->SetFreeSpaceQuery([](const std::wstring&, std::uint64_t& bytes) {
        bytes = 1ULL << 40;
        return true;
    });
    OnPage<TabAssetSetup>(&PageHostForm::assetTabs, TabAsset::kSetup, [](TabAssetSetup& page) { page.OnSetupPathResult(1); });
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    context->SetFreeSpaceQuery(QueryFreeDiskSpace);
    std::filesystem::remove_all(folder.parent_path());
}

}  // namespace
