#include "windows/msg_box.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "app/launcher_context.h"

namespace {

// An owner window on the test thread; the box is made on the same thread, so a click sent to
// its button runs to the end (answer included) before the send returns.
class MsgBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSEXW windowClass = {};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = &::DefWindowProcW;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"MsgBoxTestOwner";
        ::RegisterClassExW(&windowClass);
        owner_ = ::CreateWindowExW(0, L"MsgBoxTestOwner", L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                                   nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(owner_, nullptr);
    }
    void TearDown() override { ::DestroyWindow(owner_); }

    HWND Box() const { return ::FindWindowW(L"MsgBox", nullptr); }
    static std::wstring TextOf(HWND window) {
        wchar_t text[256] = {};
        ::GetWindowTextW(window, text, 256);
        return text;
    }

    HWND owner_ = nullptr;
};

TEST_F(MsgBoxTest, ShowsItsTextsDisablesTheOwnerAndAnswersYes) {
    MessageBoxContent content;
    content.title = {false, L"Notice"};
    content.message = {false, L"Not enough disk space."};
    content.detail = {false, L"C:"};
    content.firstButton = L"Cancel";
    content.secondButton = L"Continue";
    int answer = -1;
    LauncherContext::Instance()->messageBoxOpen = true;
    MsgBox::Show(owner_, content, [&](int result) { answer = result; });

    HWND box = Box();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(TextOf(box), L"Notice");
    EXPECT_EQ(TextOf(::GetDlgItem(box, MsgBox::kContentId)), L"Not enough disk space.");
    EXPECT_EQ(TextOf(::GetDlgItem(box, MsgBox::kDetailId)), L"C:");
    EXPECT_EQ(TextOf(::GetDlgItem(box, MsgBox::kNoButtonId)), L"Cancel");
    EXPECT_FALSE(::IsWindowEnabled(owner_));

    ::SendMessageW(box, WM_COMMAND, MAKEWPARAM(MsgBox::kYesButtonId, BN_CLICKED), 0);
    EXPECT_EQ(answer, 1);
    EXPECT_FALSE(::IsWindow(box));
    EXPECT_TRUE(::IsWindowEnabled(owner_));
    EXPECT_FALSE(LauncherContext::Instance()->messageBoxOpen);
}

TEST_F(MsgBoxTest, AnEmptyLabelHidesItsButtonAndClosingAnswersNo) {
    MessageBoxContent content;
    content.buttonsAreKeys = true;
    content.secondButton = L"STRING_CONFIRM";  // no language file: the key itself is shown
    int answer = -1;
    MsgBox::Show(owner_, content, [&](int result) { answer = result; });
    HWND box = Box();
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(box, MsgBox::kNoButtonId)));
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(box, MsgBox::kYesButtonId)));
    EXPECT_EQ(TextOf(::GetDlgItem(box, MsgBox::kYesButtonId)), L"STRING_CONFIRM");

    ::SendMessageW(box, WM_CLOSE, 0, 0);
    EXPECT_EQ(answer, 0);
    EXPECT_FALSE(::IsWindow(box));
}

// A box whose window cannot be made still answers, as a closed box does, and is no longer open.
TEST_F(MsgBoxTest, ABoxWhoseWindowCannotBeMadeAnswersNoAndIsNotLeftOpen) {
    HWND gone = ::CreateWindowExW(0, L"MsgBoxTestOwner", L"gone", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr,
                                  nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(gone, nullptr);
    ::DestroyWindow(gone);  // an owner that is no window makes the creation fail
    MessageBoxContent content;
    content.secondButton = L"OK";
    int answer = -1;
    LauncherContext::Instance()->messageBoxOpen = true;
    MsgBox::Show(gone, content, [&](int result) { answer = result; });

    EXPECT_EQ(Box(), nullptr);
    EXPECT_EQ(answer, 0);
    EXPECT_FALSE(LauncherContext::Instance()->messageBoxOpen);
}

}  // namespace
