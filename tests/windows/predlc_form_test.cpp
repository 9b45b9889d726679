// The pre-download confirmation and the pre-download popup on real windows with their real
// skins: what they show, every way out of the confirmation and its one answer, the right-to-left
// rows, and where the popup stands over the main window.
#include "windows/predlc_form.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/launcher_context.h"
#include "tests/windows/dialog_test_support.h"
#include "tests/windows/page_host.h"
#include "ui/box.h"
#include "windows/predlc_popup_form.h"

namespace {

using dialog_test::WaitUntil;

class PreDlcFormTest : public dialog_test::DialogTest {
protected:
    void TearDown() override {
        LauncherContext::Instance()->preDownloadSize = 0;
        LauncherContext::Instance()->settings.Update([](LauncherSettings& settings) { settings.languageType = 1; });
        DialogTest::TearDown();
    }
    HWND Open() {
        RunOnUi([this] { EXPECT_TRUE(ModalDialog::ShowModal(std::make_unique<PreDlcForm>(), owner_, answers_.Callback())); });
        HWND dialog = WaitForWindow(L"PreDlcForm");
        if (dialog) WaitLaidOut(dialog);
        return dialog;
    }
    // The names of a row's children, left to right on screen.
    std::vector<std::wstring> RowOnScreen(HWND dialog, const wchar_t* row) {
        std::vector<std::pair<LONG, std::wstring>> items;
        RunOnUi([&] {
            auto* box = dynamic_cast<ui::Box*>(FrameworkWindow(dialog)->FindControl(std::wstring(row)));
            for (int i = 0; box && i < box->GetCount(); ++i) {
                items.emplace_back(box->GetItemAt(i)->GetPos().left, box->GetItemAt(i)->GetName());
            }
        });
        std::sort(items.begin(), items.end());
        std::vector<std::wstring> names;
        for (const auto& item : items) names.push_back(item.second);
        return names;
    }

    dialog_test::Answers answers_;
};

TEST_F(PreDlcFormTest, ShowsTheSizesAndConfirmAnswersOnceOnTheUiThread) {
    LauncherContext::Instance()->preDownloadSize = 2952790016ULL;
    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(LabelText(dialog, L"wnd_title"), L"PRE-DOWNLOAD");
    EXPECT_EQ(LabelText(dialog, L"content"),
              L"Pre-downloading the latest update will not affect your game's performance. Proceed?");
    EXPECT_EQ(LabelText(dialog, L"text_size_title"), L"Required disk space:");
    EXPECT_EQ(LabelText(dialog, L"text_size_value"), L" 2.75G");
    EXPECT_EQ(LabelText(dialog, L"text_space_title"), L"Available disk space:");
    const std::wstring space = LabelText(dialog, L"text_space_value");
    EXPECT_TRUE(space.size() > 2 && (space.back() == L'G' || space.back() == L'M' || space.back() == L'B'))
        << std::string(space.begin(), space.end());
    EXPECT_EQ(LabelText(dialog, L"btn_cancel"), L"CANCEL");
    EXPECT_EQ(LabelText(dialog, L"btn_confirm"), L"CONFIRM");
    EXPECT_EQ(RowOnScreen(dialog, L"size_box"), (std::vector<std::wstring>{L"text_size_title", L"text_size_value"}));
    EXPECT_FALSE(::IsWindowEnabled(owner_));

    Click(dialog, L"btn_confirm");
    Click(dialog, L"btn_cancel");  // during the fade: no second answer
    EXPECT_EQ(AnswersAfterClose(dialog, answers_), std::vector<int>{1});
    EXPECT_EQ(answers_.Threads(), std::vector<DWORD>{threadId_});
    EXPECT_TRUE(::IsWindowEnabled(owner_));
}

TEST_F(PreDlcFormTest, EveryWayOutAnswersOnce) {
    ExpectEachWayOutAnswersOnce(
        {
            {"cancel button", [this](HWND d) { Click(d, L"btn_cancel"); }, 0},
            {"close button", [this](HWND d) { Click(d, L"btn_close"); }, 0},
            {"escape", [](HWND d) { PressKey(d, VK_ESCAPE); }, 0},
            {"close command", [](HWND d) { ::PostMessageW(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, 0},
            {"return", [](HWND d) { PressKey(d, VK_RETURN); }, 1},
            {"return on the focused cancel button",
             [this](HWND d) {
                 FocusWithoutClick(d, L"btn_cancel");
                 PressKey(d, VK_RETURN);
             },
             0},
            {"return on the focused confirm button",
             [this](HWND d) {
                 FocusWithoutClick(d, L"btn_confirm");
                 PressKey(d, VK_RETURN);
             },
             1}
        },
        [this] { return Open(); }, answers_);
}

// Right to left: each row stands at the right, its value before its title.
TEST_F(PreDlcFormTest, ArabicPutsEachValueLeftOfItsTitleAtTheRight) {
    LauncherContext::Instance()->settings.Update([](LauncherSettings& settings) { settings.languageType = 13; });
    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(RowOnScreen(dialog, L"size_box"), (std::vector<std::wstring>{L"text_size_value", L"text_size_title"}));
    EXPECT_EQ(RowOnScreen(dialog, L"space_box"), (std::vector<std::wstring>{L"text_space_value", L"text_space_title"}));
    LONG titleRight = 0, rowRight = 0;
    RunOnUi([&] {
        ui::Window* window = FrameworkWindow(dialog);
        titleRight = window->FindControl(std::wstring(L"text_size_title"))->GetPos().right;
        ui::Box* rows = window->FindControl(std::wstring(L"size_box"))->GetParent();
        rowRight = rows->GetPos().right - rows->GetLayout()->GetPadding().right;
    });
    EXPECT_EQ(titleRight, rowRight);
    PressKey(dialog, VK_ESCAPE);
    EXPECT_EQ(AnswersAfterClose(dialog, answers_), std::vector<int>{0});
}

class PreDlcPopupFormTest : public page_test::PageTest {};

// Shown beside the pre-download area: right edge one gap inside the main window's, bottom one
// gap above the area; closing gives the keyboard back to the main window.
TEST_F(PreDlcPopupFormTest, StandsAboveTheAnchorShowingItsTextsAndGivesTheFocusBack) {
    PreDlcPopupForm* popup = nullptr;
    RECT anchor{};
    RunOnUi([&] {
        // Room above the area for the popup.
        ::SetWindowPos(hwnd_, nullptr, 20, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        anchor = form_->preDlcTabs->GetPos();
        auto created = std::make_unique<PreDlcPopupForm>();
        if (created->ShowBeside(anchor, L"( 1.00M/ 4.00M)", L"00:01:01", L"2.00KB/S")) popup = created.release();
    });
    ASSERT_NE(popup, nullptr);
    const HWND shown = WaitForWindow(L"PreDlcPopupForm");
    ASSERT_NE(shown, nullptr);
    WaitLaidOut(shown);
    EXPECT_EQ(LabelText(shown, L"text_title"), L"Pre-Download");
    EXPECT_EQ(LabelText(shown, L"text_dlc_size"), L"( 1.00M/ 4.00M)");
    EXPECT_EQ(LabelText(shown, L"text_dlc_time"), L"00:01:01");
    EXPECT_EQ(LabelText(shown, L"text_dlc_speed"), L"2.00KB/S");

    RECT main{}, placed{}, shadow{};
    RunOnUi([&] { shadow = FrameworkWindow(hwnd_)->GetShadowPadding(); });
    ::GetWindowRect(hwnd_, &main);
    ::GetWindowRect(shown, &placed);
    EXPECT_EQ(placed.right, main.right - shadow.right - 5);
    EXPECT_EQ(placed.bottom, main.top + shadow.top + anchor.top - 5);
    EXPECT_EQ(placed.right - placed.left, 318);

    RunOnUi([&] { popup->Close(1); });
    ASSERT_TRUE(WaitForWindowGone(shown));
    HWND focused = nullptr;
    RunOnUi([&] { focused = ::GetFocus(); });
    EXPECT_EQ(focused, hwnd_);
}

TEST_F(PreDlcPopupFormTest, WithoutAMainWindowNothingShows) {
    LauncherContext::Instance()->SetMainWindow(nullptr);
    RunOnUi([] {
        PreDlcPopupForm popup;
        EXPECT_FALSE(popup.ShowBeside(RECT{0, 300, 240, 360}, L"a", L"b", L"c"));
        EXPECT_EQ(popup.GetHWND(), nullptr);
    });
    EXPECT_EQ(::FindWindowW(L"PreDlcPopupForm", nullptr), nullptr);
}

}  // namespace
