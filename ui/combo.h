#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "ui/box.h"

namespace ui {

class CComboWnd;
class ListBox;

// A drop-down choice: shows the text of its selected item and, when clicked, opens a pop-up
// window under (or over) itself that borrows the combo's list of items. Choosing an item
// closes the pop-up, selects the item and raises kEventSelect (wParam the new index) on the
// combo. Items added to the combo go into its list. UI thread only.
class Combo : public Box {
public:
    Combo();
    ~Combo() override;

    // Opens the drop-down; nothing while one is open or the combo cannot be activated.
    void Activate() override;
    // Closes an open drop-down.
    void Deactivate();
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
    void PaintText(IRenderContext* context) override;

    // Item operations act on the list.
    int GetCount() const override;
    bool Add(Control* control) override;
    bool Remove(Control* control) override;
    bool RemoveAt(std::size_t index) override;
    void RemoveAll() override;

    int GetCurSel() const { return currentSelection_; }
    ListBox* GetListBox() const { return list_.get(); }
    CComboWnd* GetDropWindow() const { return dropWindow_; }
    SIZE GetDropBoxSize() const { return dropBoxSize_; }
    void SetDropBoxSize(SIZE size, bool scaleForDpi = true);
    bool IsPopupTop() const { return popupTop_; }
    void SetPopupTop(bool top) { popupTop_ = top; }
    // The list's look, as an attribute list.
    void SetDropBoxAttributes(const std::wstring& attributes);

private:
    friend class CComboWnd;

    // Where the drop-down goes, in screen coordinates, and its height.
    RECT DropRect() const;
    bool OnSelectItem(EventArgs* args);
    // The drop-down's end: it forgets the combo, the combo forgets it.
    void OnDropWindowGone();
    // The drop-down closed: the list's choice becomes the combo's.
    void TakeListSelection();

    CComboWnd* dropWindow_ = nullptr;
    std::unique_ptr<ListBox> list_;
    int currentSelection_ = -1;
    SIZE dropBoxSize_{0, 150};
    std::wstring dropBoxAttributes_;
    bool popupTop_ = false;
};

}  // namespace ui
