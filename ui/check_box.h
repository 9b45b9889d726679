#pragma once

#include <string>

#include "ui/button.h"
#include "ui/state_color_map.h"

namespace ui {

// Kinds of a control's state images used while a check box is selected.
enum SelectedStateImageKind { kStateImageSelectedBk = 2, kStateImageSelectedFore = 3 };

// What an option group asks of its members, whichever base they are built on.
class Selectable {
public:
    virtual bool IsSelected() const = 0;
    virtual void Selected(bool selected, bool trigger) = 0;

protected:
    ~Selectable() = default;
};

// A button with a selected state: a click toggles it, and while selected it paints a second
// set of state images, state colours and text colour.
template <class B>
class CheckBoxTemplate : public ButtonTemplate<B>, public Selectable {
public:
    CheckBoxTemplate();

    bool IsSelected() const override { return selected_; }
    // Stores the state; with trigger (and a window) raises kEventSelect or kEventUnSelect.
    // An unchanged state does nothing.
    void Selected(bool selected, bool trigger) override;

    void Activate() override;
    Image* GetBkImage() override;
    bool HasHotState() override;
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
    void PaintStatusColor(IRenderContext* context) override;
    void PaintStatusImage(IRenderContext* context) override;
    void PaintText(IRenderContext* context) override;

    const std::wstring& GetSelectedTextColor() const { return selectedTextColor_; }
    void SetSelectedTextColor(const std::wstring& colorName);
    void SetSelectedStateColor(int state, const std::wstring& colorName);
    void SetSelectedStateImage(int kind, int state, const std::wstring& attribute);

protected:
    bool selected_ = false;
    std::wstring selectedTextColor_;
    StateColorMap selectedColors_;
};

extern template class CheckBoxTemplate<Control>;
extern template class CheckBoxTemplate<Box>;

using CheckBox = CheckBoxTemplate<Control>;
using CheckBoxBox = CheckBoxTemplate<Box>;

}  // namespace ui
