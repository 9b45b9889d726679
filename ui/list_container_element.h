#pragma once

#include <string>

#include "ui/option.h"

namespace ui {

class IListOwner;

// A selectable list item that can hold any controls: an option-style box that knows its place
// in its list and routes its selection through the list. UI thread only.
class ListContainerElement : public OptionTemplate<Box> {
public:
    ListContainerElement();

    // Hiding the selected element leaves its list without a selection.
    void SetFadeVisible(bool visible) override;
    // Double click, Return and the context menu raise the element's own events; a mouse
    // event it does not take goes to its list.
    void HandleEvent(EventArgs* args) override;
    // Only a selection counts, and it goes through the list; an element is unselected by its
    // list alone.
    void Selected(bool selected, bool trigger) override;

    IListOwner* GetOwner() const { return owner_; }
    void SetOwner(IListOwner* owner) { owner_ = owner; }
    int GetIndex() const { return index_; }
    void SetIndex(int index) { index_ = index; }
    // The selection as the list keeps it: the flag alone, no event.
    void SetSelectedFlag(bool selected);

private:
    int index_ = -1;
    IListOwner* owner_ = nullptr;
};

}  // namespace ui
