// Buttons in the gallery window under real mouse and key input: state faces and colours, the
// click event, keyboard activation, the disabled look, and the box-based button.
#include "ui/button.h"

#include <gtest/gtest.h>

#include "tests/ui/gallery_window.h"

namespace {

using gallery::GalleryTest;

constexpr DWORD kFaceNormal = 0xFF3C8CE7;
constexpr DWORD kFaceHot = 0xFF62ADF7;
constexpr DWORD kFacePushed = 0xFF1F4F8F;
constexpr DWORD kFaceDisabled = 0xFFA7ADB7;
constexpr DWORD kHotInk = 0xFFD03020;
constexpr DWORD kPushedInk = 0xFF20A040;

TEST_F(GalleryTest, AButtonShowsItsStateFacesAndTextColoursAndClicks) {
    ui::Control* play = Find(L"button_play");
    int* clicks = CountEvents(play, ui::kEventClick);
    const RECT r = RectOf(L"button_play");
    const POINT face{r.left + 4, r.top + 4};
    EXPECT_TRUE(PixelBecomes(face, kFaceNormal));

    MoveTo(CentreOf(L"button_play"));
    EXPECT_TRUE(PixelBecomes(face, kFaceHot));
    EXPECT_TRUE(ComesToShow(r, kHotInk));
    WritePng(L"gallery_button_hot.png");

    Press(CentreOf(L"button_play"));
    EXPECT_TRUE(PixelBecomes(face, kFacePushed));
    EXPECT_TRUE(ComesToShow(r, kPushedInk));
    EXPECT_FALSE(AnyPixelNear(r, kHotInk));
    EXPECT_EQ(*clicks, 0);

    Release(CentreOf(L"button_play"));
    EXPECT_EQ(*clicks, 1);
    EXPECT_TRUE(PixelBecomes(face, kFaceHot));

    // A press that leaves the button before its release is no click.
    Press(CentreOf(L"button_play"));
    Release(POINT{r.right + 40, r.bottom + 40});
    EXPECT_EQ(*clicks, 1);
}

TEST_F(GalleryTest, StateColoursFollowHoverAndPressAPushedTextFallsBackToHot) {
    Find(L"button_colors")->SetAttribute(L"hottextcolor", L"gallery_hot_ink");
    const RECT r = RectOf(L"button_colors");
    const POINT corner{r.left + 2, r.top + 2};
    EXPECT_TRUE(PixelBecomes(corner, 0xFFC8D0DA));
    MoveTo(CentreOf(L"button_colors"));
    EXPECT_TRUE(PixelBecomes(corner, 0xFF62ADF7));
    Press(CentreOf(L"button_colors"));
    EXPECT_TRUE(PixelBecomes(corner, 0xFF3C8CE7));
    EXPECT_TRUE(ComesToShow(r, kHotInk));
    Release(CentreOf(L"button_colors"));
    EXPECT_TRUE(PixelBecomes(corner, 0xFF62ADF7));
}

TEST_F(GalleryTest, ADisabledButtonShowsItsDisabledFaceAndIgnoresClicksAndKeys) {
    ui::Control* off = Find(L"button_off");
    int* clicks = CountEvents(off, ui::kEventClick);
    const RECT r = RectOf(L"button_off");
    EXPECT_TRUE(PixelBecomes(POINT{r.left + 4, r.top + 4}, kFaceDisabled));
    Click(L"button_off");
    EXPECT_FALSE(off->IsTabStop());
    EXPECT_EQ(*clicks, 0);
    EXPECT_TRUE(PixelBecomes(POINT{r.left + 4, r.top + 4}, kFaceDisabled));
}

TEST_F(GalleryTest, SpaceAndReturnActivateTheFocusedButtonOtherKeysDoNot) {
    ui::Control* play = Find(L"button_play");
    int* clicks = CountEvents(play, ui::kEventClick);
    EXPECT_TRUE(play->IsTabStop());
    play->SetFocus();
    Post(WM_KEYDOWN, VK_SPACE, POINT{0, 0});
    Post(WM_KEYDOWN, VK_RETURN, POINT{0, 0});
    Post(WM_KEYDOWN, 'A', POINT{0, 0});
    EXPECT_EQ(*clicks, 2);
    play->SetKeyboardEnabled(false);
    Post(WM_KEYDOWN, VK_SPACE, POINT{0, 0});
    EXPECT_EQ(*clicks, 2);
    EXPECT_FALSE(play->IsTabStop());
}

TEST_F(GalleryTest, AButtonBoxSizesToItsChildrenAndClicksThroughThem) {
    auto* box = Find<ui::ButtonBox>(L"button_box");
    int* clicks = CountEvents(box, ui::kEventClick);
    const RECT r = RectOf(L"button_box");
    EXPECT_EQ(r.right - r.left, 60 + 16);
    EXPECT_EQ(box->GetTextStyle(), ui::ButtonBox::kButtonTextStyle);
    EXPECT_TRUE(PixelBecomes(POINT{r.left + 2, r.top + 2}, 0xFF46B37A));
    MoveTo(CentreOf(L"button_box_face"));
    EXPECT_TRUE(PixelBecomes(POINT{r.left + 2, r.top + 2}, 0xFFE8A33D));
    Click(L"button_box_face");
    EXPECT_EQ(*clicks, 1);
}

// With the whole window as caption band, buttons stay clickable and labels drag the window.
TEST_F(GalleryTest, ButtonsStayClickableInsideTheCaptionBand) {
    form_->SetWindowAttribute(L"caption", L"0,0,0,2000");
    const auto hitTest = [this](const std::wstring& name) {
        POINT at = CentreOf(name);
        ::ClientToScreen(hwnd_, &at);
        return ::SendMessageW(hwnd_, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y));
    };
    EXPECT_EQ(hitTest(L"button_play"), HTCLIENT);
    EXPECT_EQ(hitTest(L"check_sound"), HTCLIENT);
    EXPECT_EQ(hitTest(L"button_box"), HTCLIENT);
    EXPECT_EQ(hitTest(L"label_left"), HTCAPTION);
}

}  // namespace
