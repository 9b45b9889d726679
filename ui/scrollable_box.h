#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/animation_player.h"
#include "ui/box.h"

namespace ui {

class ScrollBar;

// A box whose content may be larger than the box: the layout arranges the children in the
// whole content area and the box shows it at a scroll position, with optional vertical and
// horizontal scroll bars that it owns. Keys, the wheel, touch and pen drags and code scroll
// it; line steps are eased by an animation player. Every change of the position raises the
// scroll-change event (50) unless suppressed. UI thread only. Sources: scrollable_box.cpp
// (bars, layout, positions), scrollable_box_input.cpp (steps, input, painting, hit tests).
class ScrollableBox : public Box {
public:
    explicit ScrollableBox(Layout* layout);  // takes ownership; null means the plain layout
    ~ScrollableBox() override;

    // --- overrides of the box ---------------------------------------------------------------
    void SetWindowAndParent(Window* window, Box* parent, bool init) override;
    // Arranges the children in the full content area, then shows, sizes or hides the bars;
    // with "holdend" a view at the end stays at the end.
    void SetPos(RECT rect) override;
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
    void HandleEvent(EventArgs* args) override;
    // The bars first, then the children in content coordinates (offset by the scroll position).
    Control* FindControl(FindControlCallback callback, void* data, UINT flags, SIZE offset = {0, 0}) override;
    // The children clipped to the content area and shifted by the scroll position; the bars over them.
    void PaintChild(IRenderContext* context, const RECT& dirty) override;
    bool MouseEnter(EventArgs* args) override;
    bool MouseLeave(EventArgs* args) override;
    void SetMouseEnabled(bool enabled) override;
    void ClearImageCache() override;
    bool HasScrollBarRange(bool verticalOnly) const override;
    SIZE GetContentScrollPos() const override { return GetScrollPos(); }

    // --- positions --------------------------------------------------------------------------
    // A bar's position while it exists with a range, else 0.
    virtual SIZE GetScrollPos() const;
    virtual SIZE GetScrollRange() const;
    // The vertical value is clamped to [0, range] (stopping a running line-step animation when
    // it had to be); each bar with a range takes its value.
    virtual void SetScrollPos(SIZE pos);
    virtual void SetScrollPosY(int y);
    virtual void EndScrollAnimationY();
    virtual void SetScrollPosX(int x);
    virtual void EndScrollAnimationX();
    // Line steps; a distance of -1 is the line size of the direction. Animated steps in the
    // same direction add up while one runs.
    virtual void LineUp(int distance = -1, bool animated = true);
    virtual void LineDown(int distance = -1, bool animated = true);
    virtual void LineLeft(int distance = -1, bool animated = true);
    virtual void LineRight(int distance = -1, bool animated = true);
    virtual void PageUp();
    virtual void PageDown();
    virtual void HomeUp();
    // To the end; animated, the content jumps there and is drawn sliding in from where it was.
    virtual void EndDown(bool arrange = true, bool animated = true);
    virtual void PageLeft();
    virtual void PageRight();
    virtual void HomeLeft();
    virtual void EndRight();
    // A finger's drag: the content follows it, without animation.
    virtual void TouchUp(int distance);
    virtual void TouchDown(int distance);

    // --- bars -------------------------------------------------------------------------------
    // Creates the bars asked for (hidden, range 0, styled by the "vscrollbar" and "hscrollbar"
    // classes) and deletes the others.
    virtual void EnableScrollBar(bool vertical = true, bool horizontal = false);
    virtual ScrollBar* GetVerticalScrollBar() const { return verticalBar_.get(); }
    virtual ScrollBar* GetHorizontalScrollBar() const { return horizontalBar_.get(); }
    virtual void ProcessVScrollBar(RECT rect, int required);
    virtual void ProcessHScrollBar(RECT rect, int required);
    virtual void SetStoredFlag(bool flag) { storedFlag_ = flag; }
    virtual void SetMouseWheelEnabled(bool enabled) { mouseWheelEnabled_ = enabled; }
    // Arranges the children in the content area and returns the size they need.
    virtual SIZE CalcRequiredSize(RECT content);

    // While set, position changes raise no scroll-change event. The end of the line step that
    // follows clears it: its completion, or a step that does nothing or is stopped.
    void SetScrollEventSuppressed(bool suppressed) { scrollEventSuppressed_ = suppressed; }
    bool IsScrollEventSuppressed() const { return scrollEventSuppressed_; }
    // The scroll positions at which the children begin, after the last arrangement.
    const std::vector<int>& GetItemOffsets() const { return itemOffsets_; }
    int GetVerticalLineSize() const { return verticalLineSize_; }
    int GetHorizontalLineSize() const { return horizontalLineSize_; }
    bool IsHoldEnd() const { return holdEnd_; }

protected:
    // Stops a running line-step animation; its completion will not come, so it ends the
    // suppression of scroll-change events.
    void StopScrollAnimation();

private:
    void ProcessScrollBar(ScrollBar* bar, bool vertical, RECT rect, int required);
    // Arranges the children and the bars in the stored rectangle (steps of SetPos).
    void ArrangeContent();
    void RebuildItemOffsets();
    std::unique_ptr<ScrollBar> MakeScrollBar(bool horizontal);
    void LineStep(bool vertical, bool forward, int distance, bool animated);
    void PageStep(bool down);
    // Takes the images of the children near the view, drops those far from it.
    void UpdateChildImages(bool forward);
    // Keys and the wheel along one axis; touch and pen drags, vertical only.
    bool HandleScrollInput(bool vertical, EventArgs* args);
    bool HandleTouchInput(EventArgs* args);
    static bool IsUsable(const ScrollBar* bar);

    std::unique_ptr<ScrollBar> verticalBar_;
    std::unique_ptr<ScrollBar> horizontalBar_;
    int verticalLineSize_ = 30;
    int horizontalLineSize_ = 30;
    bool rearranging_ = false;
    bool holdEnd_ = false;
    bool floatScrollBars_ = true;
    bool defaultDisplayScrollBar_ = true;
    RECT scrollBarPadding_{0, 0, 0, 0};
    POINT lastPointerPoint_{-1, -1};
    AnimationPlayer scrollAnimation_;
    bool scrollAnimationVertical_ = true;
    AnimationPlayer renderOffsetAnimation_;
    bool storedFlag_ = false;
    bool mouseWheelEnabled_ = true;
    bool scrollEventSuppressed_ = false;
    std::vector<int> itemOffsets_;
};

}  // namespace ui
