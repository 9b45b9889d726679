#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/layout_arithmetic.h"

namespace ui {

class Box;
class Control;

// The strategy by which a box measures and positions its children. This base is the plain
// layout: every child is placed by its own alignment in the whole content area, so children
// overlap. One layout per box, owned by it.
class Layout {
public:
    Layout() = default;
    virtual ~Layout() = default;
    Layout(const Layout&) = delete;
    Layout& operator=(const Layout&) = delete;

    // "padding" and "childmargin"; false for any other name, which the box then takes.
    virtual bool SetAttribute(const std::wstring& name, const std::wstring& value);
    // Positions the items inside rect (the box's content area); returns the size they take.
    virtual SIZE ArrangeChildren(const std::vector<Control*>& items, RECT rect);
    // The size the box needs for its items, padding included; available is already less the
    // padding.
    virtual SIZE MeasureChildren(const std::vector<Control*>& items, SIZE available);
    virtual RECT GetPadding() const { return padding_; }
    virtual void SetPadding(RECT padding, bool scaleForDpi = true);
    virtual int GetChildMargin() const { return childMargin_; }
    // Always DPI-scaled: the margin comes from skins.
    virtual void SetChildMargin(int margin);

    // Places one control by its margin, size and alignment inside rect; (0, 0) when invisible.
    static SIZE PlaceFloatChild(Control* control, RECT rect);

    Box* GetOwner() const { return owner_; }
    void SetOwner(Box* owner) { owner_ = owner; }

protected:
    // Arranges the owner again after a change of spacing.
    void ArrangeOwner();
    static std::vector<LayoutItem> DescribeItems(const std::vector<Control*>& items);
    // SetPos on every item that the arrangement placed.
    static void ApplyArrangement(const std::vector<Control*>& items, const Arrangement& arrangement);

    RECT padding_{0, 0, 0, 0};
    int childMargin_ = 0;
    Box* owner_ = nullptr;
};

// What a layout reads of a control, its estimates bound to the control.
LayoutItem DescribeForLayout(Control* control);

}  // namespace ui
