// Progress bars, the slider and circular progress in the gallery window: the fill shows the
// value, a drag and the wheel move the slider, the ring shows its arc.
#include "ui/progress.h"

#include <gtest/gtest.h>

#include "tests/ui/gallery_window.h"
#include "ui/circle_progress.h"
#include "ui/slider.h"

namespace {

using gallery::GalleryTest;

constexpr DWORD kTrack = 0xFFC8D0DA;
constexpr DWORD kGreen = 0xFF46B37A;
constexpr DWORD kBlue = 0xFF3C8CE7;
constexpr DWORD kThumbPushed = 0xFF1F4F8F;

TEST_F(GalleryTest, AProgressBarFillsItsValuesShareAcrossOrUp) {
    auto* bar = Find<ui::Progress>(L"progress_bar");
    const RECT r = RectOf(L"progress_bar");
    ASSERT_EQ(r.right - r.left, 200);
    EXPECT_TRUE(PixelBecomes(POINT{r.left + 45, r.top + 1}, kGreen));   // 25 % of 200
    EXPECT_TRUE(PixelBecomes(POINT{r.left + 55, r.top + 1}, kTrack));
    EXPECT_GT(InkIn(r), 0);  // its label text

    const RECT v = RectOf(L"progress_vertical");
    const int height = v.bottom - v.top;
    EXPECT_TRUE(PixelBecomes(POINT{v.left + 6, v.bottom - height / 4 + 3}, kBlue));
    EXPECT_TRUE(PixelBecomes(POINT{v.left + 6, v.bottom - height / 4 - 3}, kTrack));

    // Written by a caller beyond the maximum: a full bar, the value clamped once painted.
    bar->SetValue(150);
    EXPECT_TRUE(PixelBecomes(POINT{r.right - 2, r.top + 1}, kGreen));
    EXPECT_EQ(bar->GetValue(), 100);
    WritePng(L"gallery_progress.png");
}

TEST_F(GalleryTest, AProgressBarWithAnEmptyRangeShowsItsValueAsNoneOrAll) {
    auto* bar = Find<ui::Progress>(L"progress_bar");
    const RECT r = RectOf(L"progress_bar");
    bar->SetMaxValue(0);
    bar->SetValue(0);
    EXPECT_TRUE(PixelBecomes(POINT{r.left + 2, r.top + 1}, kTrack));
    bar->SetValue(1);
    EXPECT_TRUE(PixelBecomes(POINT{r.right - 2, r.top + 1}, kGreen));
}

TEST_F(GalleryTest, DraggingTheSliderThumbMovesItsValueAndReleasingRaisesOneChange) {
    auto* slider = Find<ui::Slider>(L"slider");
    int* changes = CountEvents(slider, ui::kEventValueChange);
    const RECT r = RectOf(L"slider");
    const RECT thumb = slider->GetThumbRect();
    const POINT grip{(thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2};
    EXPECT_TRUE(PixelBecomes(POINT{r.left + 40, r.top + 10}, kBlue));   // the bar up to the thumb
    EXPECT_TRUE(PixelBecomes(POINT{r.right - 40, r.top + 10}, kTrack));

    MoveTo(grip);
    Press(grip);
    EXPECT_TRUE(PixelBecomes(grip, kThumbPushed));
    const int half = 7;  // of the 14-pixel thumb
    const int track = (r.right - r.left) - 14;
    MoveTo(POINT{r.left + half + track * 3 / 4, grip.y});
    EXPECT_NEAR(slider->GetValue(), 75, 1);
    EXPECT_EQ(*changes, 0);  // none during the drag
    Release(POINT{r.left + half + track / 4, grip.y});
    EXPECT_NEAR(slider->GetValue(), 25, 1);
    EXPECT_EQ(*changes, 1);
    const RECT moved = slider->GetThumbRect();
    EXPECT_TRUE(PixelBecomes(POINT{(moved.left + moved.right) / 2, grip.y}, kBlue));  // the normal thumb again
    EXPECT_TRUE(PixelBecomes(POINT{r.left + 100, r.top + 10}, kTrack));
    WritePng(L"gallery_slider.png");

    // Moving without a press on the thumb does not drag.
    MoveTo(POINT{r.right - 5, grip.y});
    EXPECT_NEAR(slider->GetValue(), 25, 1);
}

TEST_F(GalleryTest, TheWheelStepsTheSliderAndEachNotchRaisesAChange) {
    auto* slider = Find<ui::Slider>(L"slider");
    int* changes = CountEvents(slider, ui::kEventValueChange);
    POINT screen = CentreOf(L"slider");
    ::ClientToScreen(hwnd_, &screen);
    ::PostMessageW(hwnd_, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(screen.x, screen.y));
    ::PostMessageW(hwnd_, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(screen.x, screen.y));
    ::PostMessageW(hwnd_, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), MAKELPARAM(screen.x, screen.y));
    window_test::PumpPending();
    EXPECT_EQ(slider->GetValue(), 55);
    EXPECT_EQ(*changes, 3);
}

// A slider whose maximum is not above its minimum places its thumb and takes values from
// points inside the range it stands for, before any paint repairs it.
TEST_F(GalleryTest, ASliderWithAnEmptyRangeStaysInsideItself) {
    auto* slider = Find<ui::Slider>(L"slider");
    slider->SetMinValue(10);
    slider->SetMaxValue(10);
    slider->SetValue(10);
    const RECT r = RectOf(L"slider");
    const RECT thumb = slider->GetThumbRect();
    EXPECT_GE(thumb.left, r.left);
    EXPECT_LE(thumb.right, r.right);
    const POINT grip{(thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2};
    Press(grip);
    MoveTo(POINT{(r.left + r.right) / 2, grip.y});
    Release(POINT{(r.left + r.right) / 2, grip.y});
    EXPECT_GE(slider->GetValue(), 10);
    EXPECT_LE(slider->GetValue(), 11);
    const RECT fill = slider->GetProgressPos();
    EXPECT_GE(fill.right, 0);
    EXPECT_LE(fill.right, r.right - r.left);
}

TEST_F(GalleryTest, ACircularProgressDrawsItsArcFromTheTop) {
    const RECT r = RectOf(L"circle");
    const int cx = (r.left + r.right) / 2;
    const int cy = (r.top + r.bottom) / 2;
    // The ring's middle line: half the 8-pixel indicator in from the square, plus one.
    const int radius = (r.right - r.left) / 2 - 4 - 1;
    WritePng(L"gallery_circle.png");
    // 60 % clockwise from the top covers the right side and the bottom, not the left.
    EXPECT_TRUE(PixelBecomes(POINT{cx + radius, cy}, kBlue));
    EXPECT_TRUE(PixelBecomes(POINT{cx, cy + radius}, kBlue));
    EXPECT_TRUE(PixelBecomes(POINT{cx - radius, cy}, kTrack));

    auto* circle = Find<ui::CircleProgress>(L"circle");
    circle->SetValue(0);
    EXPECT_TRUE(PixelBecomes(POINT{cx + radius, cy}, kTrack));
    // Counter-clockwise, a quarter covers the left side.
    circle->SetClockwise(false);
    circle->SetValue(30);
    EXPECT_TRUE(PixelBecomes(POINT{cx - radius, cy}, kBlue));
    EXPECT_TRUE(PixelBecomes(POINT{cx + radius, cy}, kTrack));
}

}  // namespace
