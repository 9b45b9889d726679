#pragma once

#include <windows.h>

namespace ui {

struct EventArgs;

// What a list element sees of the list that holds it.
class IListOwner {
public:
    virtual int GetCurSel() const = 0;
    virtual bool SelectItem(int index, bool takeFocus, bool trigger) = 0;
    // The list's own event dispatch, for events its elements pass on.
    virtual void DispatchItemEvent(EventArgs* args) = 0;
    // Scrolls the list so that the rectangle (in content coordinates) is in view.
    virtual void EnsureVisible(const RECT& rect) = 0;
    virtual void StopScrollAnimation() = 0;

protected:
    ~IListOwner() = default;
};

}  // namespace ui
