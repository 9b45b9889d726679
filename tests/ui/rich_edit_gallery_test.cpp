// The gallery's text fields in the skinned window, typed into with real keys.
#include <gtest/gtest.h>

#include "tests/ui/gallery_window.h"
#include "tests/ui/rich_edit_test_support.h"
#include "ui/rich_edit.h"
#include "ui/txt_win_host.h"

namespace {

using rich_edit_test::PressChord;
using rich_edit_test::TypeText;

class RichEditGalleryTest : public gallery::GalleryTest {
protected:
    // Clicks into a field and gives the window the keyboard.
    bool FocusField(const std::wstring& name) {
        const RECT r = RectOf(name);
        Click(POINT{r.left + 8, (r.top + r.bottom) / 2});
        return rich_edit_test::Activate(hwnd_) && form_->GetFocus() == form_->FindControl(name);
    }

    ui::OleScope ole_;
};

TEST_F(RichEditGalleryTest, FieldsShowTheirTextAndTheirPrompt) {
    auto* plain = Find<ui::RichEdit>(L"edit_plain");
    auto* number = Find<ui::RichEdit>(L"edit_number");
    ASSERT_TRUE(plain && number);
    auto* password = Find<ui::RichEdit>(L"edit_password");
    EXPECT_EQ(password->GetText(), L"secret");
    WCHAR mask = 0;
    password->GetHost()->TxGetPasswordChar(&mask);
    EXPECT_EQ(mask, L'*');  // never shown in clear
    EXPECT_TRUE(AnyPixelNear(RectOf(L"edit_plain"), 0xFF2F9E44, 40));  // the prompt
    EXPECT_GT(InkIn(RectOf(L"edit_number")), 0);                        // "1024"
    WritePng(L"rich_edit_gallery.png");
}

TEST_F(RichEditGalleryTest, TypingReplacesThePromptAndTheNumberFieldTakesDigitsOnly) {
    auto* plain = Find<ui::RichEdit>(L"edit_plain");
    auto* number = Find<ui::RichEdit>(L"edit_number");
    ASSERT_TRUE(plain && number);
    const int* changes = CountEvents(plain, ui::kEventTextChange);
    const int* returns = CountEvents(number, ui::kEventReturn);

    ASSERT_TRUE(FocusField(L"edit_plain"));
    TypeText(L"Kai");
    EXPECT_EQ(plain->GetText(), L"Kai");
    EXPECT_EQ(*changes, 3);
    EXPECT_FALSE(AnyPixelNear(RectOf(L"edit_plain"), 0xFF2F9E44, 40));
    EXPECT_GT(InkIn(RectOf(L"edit_plain")), 0);

    ASSERT_TRUE(FocusField(L"edit_number"));
    PressChord({VK_CONTROL, 'A'});
    TypeText(L"x2y0");
    EXPECT_EQ(number->GetText(), L"20");
    PressChord({VK_RETURN});
    EXPECT_EQ(*returns, 1);
    EXPECT_EQ(number->GetText(), L"20");
}

}  // namespace
