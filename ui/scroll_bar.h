#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "base/weak_callback.h"
#include "ui/control.h"
#include "ui/scroll_bar_geometry.h"
#include "ui/state_image_map.h"

namespace ui {

class ScrollableBox;

// The windowless scroll bar: two optional end buttons, a thumb with a rail image over its
// middle, and a background, over a 64-bit range and position. With an owner (the scrollable
// box that made it) every press becomes the owner's line, page or position step and the owner
// sets the position back; a bar without owner moves its own position. UI thread only.
class ScrollBar : public Control {
public:
    ScrollBar();
    ~ScrollBar() override;

    void SetPos(RECT rect) override;
    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override;
    void SetFocus() override;
    bool HasHotState() override { return true; }
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
    void Paint(IRenderContext* context, const RECT& dirty) override;
    void ClearImageCache() override;
    void HandleEvent(EventArgs* args) override;
    bool MouseEnter(EventArgs* args) override;
    bool MouseLeave(EventArgs* args) override;
    bool ButtonUp(EventArgs* args) override;

    bool IsHorizontal() const { return horizontal_; }
    // Turns the bar; a bar without thickness takes 16 pixels across its new axis.
    void SetHorizontal(bool horizontal);
    // Negative ranges are 0; the position stays within the range. Range 0 hides the bar.
    void SetScrollRange(std::int64_t range);
    std::int64_t GetScrollRange() const { return range_; }
    // Clamped to [0, range]; the parts are laid out again when it changed.
    void SetScrollPos(std::int64_t position);
    std::int64_t GetScrollPos() const { return position_; }
    int GetLineSize() const { return lineSize_; }
    void SetLineSize(int size) { lineSize_ = size; }
    bool IsAutoHideScroll() const { return autoHide_; }
    void SetAutoHideScroll(bool autoHide) { autoHide_ = autoHide; }
    ScrollableBox* GetOwner() const { return owner_; }
    void SetOwner(ScrollableBox* owner) { owner_ = owner; }
    int GetThumbState() const { return thumbState_; }
    const ScrollBarParts& GetParts() const { return parts_; }
    // Lays the parts out again in the bar's own rectangle.
    void Relayout();

private:
    ScrollBarShape Shape() const;
    int Thickness() const { return horizontal_ ? fixedHeight_ : fixedWidth_; }
    int Length() const { return horizontal_ ? rect_.right - rect_.left : rect_.bottom - rect_.top; }
    int AlongAxis(POINT point) const { return horizontal_ ? point.x : point.y; }
    // Where a point lies against the thumb along the bar: -1 before it, 1 after it, 0 over it.
    int SideOfThumb(POINT point) const;

    void OnButtonDown(EventArgs* args);
    void OnButtonUpEvent(EventArgs* args);
    void OnDrag(EventArgs* args);
    void RepeatStep();
    // One button step or one page, through the owner when there is one.
    void StepLine(bool forward);
    void StepPage(bool forward);

    // A part drawn straight from its images by state, each state falling back to the next.
    bool DrawPart(IRenderContext* context, StateImageMap& images, int state, const RECT& part);
    std::wstring DestModifier(const RECT& part) const;

    bool horizontal_ = false;
    bool showButton1_ = true;
    bool showButton2_ = true;
    bool autoHide_ = true;
    std::int64_t range_ = 100;
    std::int64_t position_ = 0;
    int lineSize_ = 8;
    int thumbMinLength_ = 30;
    std::int64_t dragStartPosition_ = 0;
    std::int64_t dragOffset_ = 0;
    int repeatCount_ = 0;
    ScrollableBox* owner_ = nullptr;
    POINT dragStartPoint_{0, 0};
    ScrollBarParts parts_;
    int button1State_ = kControlStateNormal;
    int button2State_ = kControlStateNormal;
    int thumbState_ = kControlStateNormal;
    StateImageMap bkImages_;
    StateImageMap button1Images_;
    StateImageMap button2Images_;
    StateImageMap thumbImages_;
    StateImageMap railImages_;
    kbase::WeakCallbackFlag repeatFlag_;
};

}  // namespace ui
