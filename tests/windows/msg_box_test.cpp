// The message box on real windows with its real skin: what it shows, every way out and its one
// answer, the swapped looks, and owners shared by several boxes.
#include "windows/msg_box.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "app/launcher_context.h"
#include "tests/ui/support/render_snapshot.h"
#include "tests/windows/dialog_test_support.h"
#include "ui/render/render_context.h"

namespace {

using dialog_test::WaitUntil;

class MsgBoxTest : public dialog_test::DialogTest {
protected:
    HWND Open(const MessageBoxContent& content) {
        LauncherContext::Instance()->messageBoxOpen = true;
        RunOnUi([&] { MsgBox::Show(owner_, content, answers_.Callback()); });
        HWND box = WaitForWindow(L"MsgBox");
        if (box) WaitLaidOut(box);
        return box;
    }
    static MessageBoxContent Question() {
        MessageBoxContent content;
        content.title = {false, L"Notice"};
        content.message = {false, L"Not enough disk space."};
        content.detail = {false, L"C:"};
        content.buttonsAreKeys = true;
        content.firstButton = L"STRING_CANCEL";
        content.secondButton = L"STRING_CONFIRM";
        return content;
    }
    // The premultiplied colour the box painted at a client point.
    ui_test::Pixel PixelOf(HWND box, POINT point) {
        ui_test::Pixel pixel;
        RunOnUi([&] {
            if (ui::Window* window = FrameworkWindow(box)) pixel = ui_test::PixelAt(*window->GetRenderContext(), point.x, point.y);
        });
        return pixel;
    }
    std::vector<int> AnswersAfterClose(HWND box) { return DialogTest::AnswersAfterClose(box, answers_); }

    dialog_test::Answers answers_;
};

TEST_F(MsgBoxTest, ShowsItsTextsAndTheConfirmButtonAnswersOnceOnTheUiThread) {
    HWND box = Open(Question());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(LabelText(box, L"title"), L"Notice");
    EXPECT_EQ(LabelText(box, L"content"), L"Not enough disk space.");
    EXPECT_EQ(LabelText(box, L"detail"), L"C:");
    EXPECT_EQ(LabelText(box, L"btn_yes"), L"CONFIRM");
    EXPECT_EQ(LabelText(box, L"btn_no"), L"CANCEL");
    EXPECT_FALSE(::IsWindowEnabled(owner_));

    Click(box, L"btn_yes");
    Click(box, L"btn_no");  // during the fade: no second answer
    EXPECT_EQ(AnswersAfterClose(box), std::vector<int>{1});
    EXPECT_EQ(answers_.Threads(), std::vector<DWORD>{threadId_});
    EXPECT_TRUE(::IsWindowEnabled(owner_));
    EXPECT_FALSE(LauncherContext::Instance()->messageBoxOpen);
}

TEST_F(MsgBoxTest, EveryOtherWayOutAnswersNoOnce) {
    ExpectEachWayOutAnswersOnce(
        {
            {"no button", [this](HWND box) { Click(box, L"btn_no"); }, 0},
            {"close button", [this](HWND box) { Click(box, L"btn_close"); }, 0},
            {"escape", [](HWND box) { PressKey(box, VK_ESCAPE); }, 0},
            {"close command", [](HWND box) { ::PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0); }, 0},
            {"escape twice", [](HWND box) { PressKey(box, VK_ESCAPE); PressKey(box, VK_ESCAPE); }, 0},
            {"return on the focused yes button", [](HWND box) { PressKey(box, VK_RETURN); }, 1}
        },
        [this] { return Open(Question()); }, answers_);
}

TEST_F(MsgBoxTest, AYesTextAloneShowsOneFocusedButton) {
    MessageBoxContent content;
    content.buttonsAreKeys = true;
    content.secondButton = L"STRING_CONFIRM";
    HWND box = Open(content);
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return CentreOf(box, L"btn_no").x < 0; }));  // faded out
    bool yesFocused = false;
    RunOnUi([&] {
        ui::Window* window = FrameworkWindow(box);
        yesFocused = window && window->GetFocus() == window->FindControl(std::wstring(L"btn_yes"));
    });
    EXPECT_TRUE(yesFocused);
    PressKey(box, VK_ESCAPE);
    EXPECT_EQ(AnswersAfterClose(box), std::vector<int>{0});
}

// The close confirmation gives its cancelling button the primary look; each button keeps its
// text and its answer.
TEST_F(MsgBoxTest, SwappedLooksKeepTextsAndAnswers) {
    MessageBoxContent content = Question();
    content.swapButtonLooks = true;
    HWND box = Open(content);
    ASSERT_NE(box, nullptr);
    const POINT yes = CentreOf(box, L"btn_yes");
    const POINT no = CentreOf(box, L"btn_no");
    // Probe just inside the left edge of each face, clear of the centred text.
    const ui_test::Pixel yesFace = PixelOf(box, {yes.x - 70, yes.y});
    const ui_test::Pixel noFace = PixelOf(box, {no.x - 70, no.y});
    EXPECT_GT(noFace.b, noFace.r + 60) << "the no-button carries the blue look";
    EXPECT_LT(yesFace.b, yesFace.r + 30) << "the yes-button carries the slate look";
    EXPECT_EQ(LabelText(box, L"btn_yes"), L"CONFIRM");
    Click(box, L"btn_yes");
    EXPECT_EQ(AnswersAfterClose(box), std::vector<int>{1});
}

TEST_F(MsgBoxTest, AnOwnerOfSeveralBoxesComesBackWithTheLastOne) {
    HWND first = Open(Question());
    ASSERT_NE(first, nullptr);
    HWND second = nullptr;
    RunOnUi([&] { MsgBox::Show(owner_, Question(), answers_.Callback()); });
    ASSERT_TRUE(WaitUntil([&] {
        second = ::FindWindowExW(nullptr, nullptr, L"MsgBox", nullptr);
        if (second == first) second = ::FindWindowExW(nullptr, first, L"MsgBox", nullptr);
        return second != nullptr;
    }));
    WaitLaidOut(second);
    Click(first, L"btn_no");
    ASSERT_TRUE(WaitForWindowGone(first));
    EXPECT_FALSE(::IsWindowEnabled(owner_));
    Click(second, L"btn_yes");
    ASSERT_TRUE(WaitForWindowGone(second));
    EXPECT_TRUE(::IsWindowEnabled(owner_));
}

// A box whose window cannot be made is not left open, and its asker is told "no".
TEST_F(MsgBoxTest, ABoxWhoseWindowCannotBeMadeAnswersNoAndIsNotLeftOpen) {
    HWND gone = nullptr;
    RunOnUi([&] {
        gone = ::CreateWindowExW(0, L"DialogTestOwner", L"gone", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr, nullptr,
                                 ::GetModuleHandleW(nullptr), nullptr);
        ::DestroyWindow(gone);
    });
    LauncherContext::Instance()->messageBoxOpen = true;
    RunOnUi([&] { MsgBox::Show(gone, Question(), answers_.Callback()); });
    ASSERT_TRUE(WaitUntil([this] { return !answers_.Values().empty(); }));
    EXPECT_EQ(answers_.Values(), std::vector<int>{0});
    EXPECT_EQ(::FindWindowW(L"MsgBox", nullptr), nullptr);
    EXPECT_FALSE(LauncherContext::Instance()->messageBoxOpen);
}

}  // namespace
