#pragma once

#include "ui/list_box.h"
#include "ui/vlayout.h"

namespace ui {

// Made by the user of a virtual list: the rows and what they show.
class VirtualListDataSource {
public:
    virtual ~VirtualListDataSource() = default;
    // One row control; the list takes it as a child.
    virtual Control* CreateElement() = 0;
    // Shows data item index in the row.
    virtual void FillElement(Control* row, int index) = 0;
    virtual int GetElementCount() = 0;
};

// The layout of a virtual list: the content is as high as all items, and the list places its
// few rows itself; with rows for every item it is a plain vertical layout.
class VirtualLayout : public VLayout {
public:
    SIZE ArrangeChildren(const std::vector<Control*>& items, RECT rect) override;
};

// A list of many rows of one fixed height shown with a small pool of row controls: only the
// rows around the view exist, and scrolling moves and refills them from the data source.
// The data source is not owned and must outlive the list. UI thread only.
class VirtualListBox : public ListBox {
public:
    VirtualListBox();

    void SetPos(RECT rect) override;
    // End and Home scroll; the arrow keys go to the hooks, so the selection does not move.
    void HandleEvent(EventArgs* args) override;
    void SetScrollPos(SIZE pos) override;
    void RemoveAll() override;

    virtual void SetDataSource(VirtualListDataSource* source) { dataSource_ = source; }
    // Pixels; a row height of 0 or less leaves the rows where the plain layout puts them.
    virtual void SetElementHeight(int height) { elementHeight_ = height; }
    // Makes up to poolSize rows (no more than there are items) and fills them from item 0.
    virtual void InitElement(int poolSize);
    // Brings the rows in line with the data count and shows the data again.
    virtual void Refresh();
    virtual void OnArrowKeyDown(int /*key*/) {}
    virtual void OnArrowKeyUp(int /*key*/) {}

    // Moves the rows to the view and fills them; force rebuilds them whatever the scroll.
    void ReArrangeChild(bool force);
    int GetElementCount() const;
    int GetElementHeight() const { return elementHeight_; }
    // Fewer rows than items: the rows are placed by this list, not by the layout.
    bool IsVirtual() const;

private:
    void Fill(Control* row, int index);
    // One new row from the source, added to the list; false when the source made none.
    bool AddRow();

    VirtualListDataSource* dataSource_ = nullptr;
    int elementHeight_ = 0;
    int poolSize_ = 0;
    int previousScrollPos_ = 0;
    bool arrangedOnce_ = false;
};

}  // namespace ui
