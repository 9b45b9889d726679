#pragma once

#include <string>

#include "ui/box.h"

namespace ui {

// A box that shows one of its children at a time, the pages of a tabbed area. Selecting
// another page swaps them at once, or, with "fadeswitch", slides both sideways by the tab
// box's width while the new one fades in. UI thread only.
class TabBox : public Box {
public:
    explicit TabBox(Layout* layout);  // takes ownership; null means the plain layout

    // The first visible page added becomes current; every other page is hidden.
    bool Add(Control* control) override;
    // Inserting at or before the current page moves the current index with it.
    bool AddAt(Control* control, std::size_t index) override;
    // Removing the current page shows page 0, or leaves none current.
    bool Remove(Control* control) override;
    bool RemoveAt(std::size_t index) override;
    void RemoveAll() override;
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;

    // Shows the page at index; false when there is none. Raises kEventSelect (wParam the new
    // index, lParam the old one) when the page changes.
    bool SelectItem(int index);
    // Hides one page: no mouse, alpha 0. Also the end of the old page's slide.
    void HideItem(std::size_t index);
    int GetCurSel() const { return currentIndex_; }
    bool IsFadeSwitch() const { return fadeSwitch_; }

private:
    // The hiding steps of an added page; without fade switch it is also made invisible.
    void HideAdded(Control* page);
    void ShowPage(Control* page);
    // The page's sideways slide from `start` to `end`, made anew.
    void Slide(Control* page, int start, int end, bool hideWhenDone, std::size_t index);

    int currentIndex_ = -1;
    bool fadeSwitch_ = false;
};

}  // namespace ui
