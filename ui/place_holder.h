#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "base/weak_callback.h"

namespace ui {

class Box;
class IRenderContext;
class Window;

// Sizes: -1 stretches (the layout decides), -2 sizes to the content, 0 or more is pixels.
constexpr int kSizeStretch = -1;
constexpr int kSizeAuto = -2;
constexpr int kDefaultMaxSize = 9999999;

enum HorAlign { kHorAlignLeft = 0, kHorAlignCenter = 1, kHorAlignRight = 2 };
enum VerAlign { kVerAlignTop = 0, kVerAlignCenter = 1, kVerAlignBottom = 2 };

// What a layout needs to know of a control (window, parent, sizes and their limits, alignment,
// float, visibility, rectangle) and how a change of size or visibility spreads: an auto-sized
// control asks its ancestors to measure again, a fixed one only arranges itself, and both end
// in an invalidation of the area it covers.
class PlaceHolder : public virtual kbase::SupportWeakCallback {
public:
    PlaceHolder();
    ~PlaceHolder() override;
    PlaceHolder(const PlaceHolder&) = delete;
    PlaceHolder& operator=(const PlaceHolder&) = delete;

    virtual Window* GetWindow() const { return window_; }
    virtual void SetWindow(Window* window) { window_ = window; }
    // Runs Init when init is set and there is a parent.
    virtual void SetWindowAndParent(Window* window, Box* parent, bool init);
    virtual void Init() { DoInit(); }
    virtual void DoInit() {}
    virtual bool IsVisible() const { return visible_ && internalVisible_; }
    virtual SIZE EstimateSize(SIZE available);
    virtual RECT GetPos(bool containShadow = true) const;
    virtual void SetPos(RECT rect);
    // ArrangeAncestor when a side is auto-sized, else ArrangeSelf.
    virtual void Arrange();
    // Flags this control and its auto-sized ancestors for measuring, then arranges the first
    // ancestor of fixed size (the window's root when the walk runs out).
    virtual void ArrangeAncestor();
    virtual void Invalidate();
    virtual void ArrangeSelf();

    const std::wstring& GetName() const { return name_; }
    void SetName(const std::wstring& name) { name_ = name; }
    Box* GetParent() const { return parent_; }

    int GetFixedWidth() const { return fixedWidth_; }
    int GetFixedHeight() const { return fixedHeight_; }
    // Widths below -2 are ignored; a positive width is DPI-scaled when asked; -1 and -2 never.
    void SetFixedWidth(int width, bool arrange = true, bool scaleForDpi = true);
    void SetFixedHeight(int height, bool scaleForDpi = true);
    int GetMinWidth() const { return minWidth_; }
    int GetMinHeight() const { return minHeight_; }
    int GetMaxWidth() const { return maxWidth_; }
    int GetMaxHeight() const { return maxHeight_; }
    int GetHorAlignType() const { return horAlign_; }
    int GetVerAlignType() const { return verAlign_; }
    bool IsFloat() const { return float_; }
    bool IsReEstimateSize() const { return reEstimateSize_; }
    void SetReEstimateSize(bool reEstimate) { reEstimateSize_ = reEstimate; }
    bool NeedsArrange() const { return needArrange_; }
    bool IsInternalVisible() const { return internalVisible_; }

    // The scroll position of the nearest scrolled ancestor; (0, 0) without one.
    SIZE GetScrollOffset() const;

protected:
    std::wstring name_;
    Window* window_ = nullptr;
    Box* parent_ = nullptr;
    int fixedWidth_ = kSizeStretch;
    int fixedHeight_ = kSizeStretch;
    int minWidth_ = -1;
    int minHeight_ = -1;
    int maxWidth_ = kDefaultMaxSize;
    int maxHeight_ = kDefaultMaxSize;
    RECT rect_{0, 0, 0, 0};
    int horAlign_ = kHorAlignLeft;
    int verAlign_ = kVerAlignTop;
    bool float_ = false;
    bool reEstimateSize_ = true;
    bool visible_ = true;
    bool internalVisible_ = true;
    bool needArrange_ = true;
    bool useCache_ = false;
    bool cacheDirty_ = false;
    std::unique_ptr<IRenderContext> renderContext_;
};

}  // namespace ui
