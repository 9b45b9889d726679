#pragma once

#include <string>

#include "ui/check_box.h"

namespace ui {

// A check box in a named group of its window, in which selecting one member unselects the
// others. A click always selects (never unselects) and raises the click event first.
template <class B>
class OptionTemplate : public CheckBoxTemplate<B> {
public:
    OptionTemplate() = default;
    ~OptionTemplate() override;

    virtual std::wstring GetGroup() const { return group_; }
    // Leaves the old group, joins the new one (an empty name joins none), then raises the
    // current selected state again.
    virtual void SetGroup(const std::wstring& group);

    // Selecting unselects every other member of the group; an unchanged state is raised
    // again. Without trigger a selection raises nothing, an unselection still does.
    void Selected(bool selected, bool trigger) override;
    void Activate() override;
    void SetWindowAndParent(Window* window, Box* parent, bool init) override;
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;

protected:
    std::wstring group_;
};

extern template class OptionTemplate<Control>;
extern template class OptionTemplate<Box>;

using Option = OptionTemplate<Control>;
using OptionBox = OptionTemplate<Box>;

}  // namespace ui
