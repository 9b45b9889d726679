#pragma once

#include "ui/label.h"

namespace ui {

// A label that is clicked: centred text, a Tab stop while keyboard and control are enabled,
// activated by space or return, clickable inside a window's caption band.
template <class B>
class ButtonTemplate : public LabelTemplate<B> {
public:
    // The label's style plus DT_CENTER | DT_VCENTER.
    static constexpr UINT kButtonTextStyle = 0x8125;

    ButtonTemplate();

    bool IsTabStop() const override { return this->IsKeyboardEnabled() && this->IsEnabled(); }
    bool IsCaptionClickable() const override { return true; }
    void HandleEvent(EventArgs* args) override;
};

extern template class ButtonTemplate<Control>;
extern template class ButtonTemplate<Box>;

using Button = ButtonTemplate<Control>;
using ButtonBox = ButtonTemplate<Box>;

}  // namespace ui
