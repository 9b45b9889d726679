#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "ui/control.h"
#include "ui/layout.h"

namespace ui {

// The container of the control tree: an ordered list of children, measured and placed by its
// layout, and two maps of handlers for events that bubble up from its descendants. With
// auto-destroy (the default) the box owns its children; with delayed destroy (the default) a
// removed child is deleted by the window later, so a child removed inside its own handler
// stays valid until the handler returns. UI thread only.
class Box : public Control {
public:
    explicit Box(Layout* layout);  // takes ownership of the layout; null means the plain one
    ~Box() override;

    // Hands the window on to every child first.
    void SetWindowAndParent(Window* window, Box* parent, bool init) override;
    // An auto-sized side takes what the layout measures for the children.
    SIZE EstimateSize(SIZE available) override;
    // Stores the rectangle and arranges the children in it, less the padding.
    void SetPos(RECT rect) override;
    void SetInternalVisible(bool visible) override;
    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override;
    bool IsTabStop() const override { return false; }
    // Asks the children after (or, with kFindMeFirst, before) the box itself; under a hit
    // test a child found outside the padded area is taken only when it floats.
    Control* FindControl(FindControlCallback callback, void* data, UINT flags, SIZE offset = {0, 0}) override;
    // The own handlers when the box sent the event, then the bubbled ones; a handler that
    // returns false stops the default handling and so the bubbling further up.
    void DispatchEvent(EventArgs* args) override;
    // The layout's attributes first, then "mousechild", then the control's.
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
    // Paints the visible children in list order, later ones over earlier ones.
    void PaintChild(IRenderContext* context, const RECT& dirty) override;
    void ReloadImageFromCache() override;
    void ReleaseBkImage() override;
    void ClearImageCache() override;

    // The index of a visible, enabled list element near index (clamped to the children):
    // forward, the first from there to the end, else -1; backward, the first from there down
    // to 0, else the first of all. -1 for an empty box.
    virtual int FindSelectable(int index, bool forward) const;
    virtual Control* GetItemAt(std::size_t index) const;
    virtual int GetItemIndex(Control* control) const;
    // Moves a child to index; false when it is not a child or index is not below the count.
    virtual bool SetItemIndex(Control* control, std::size_t index);
    virtual int GetCount() const;
    virtual bool Add(Control* control);
    // False for a null control, for an index beyond the count (the count appends), for a
    // control already in this box and for the box itself or one of its ancestors. A control
    // of another box is taken out of it first, alive, so no box deletes it twice.
    virtual bool AddAt(Control* control, std::size_t index);
    // Takes a child out: with auto-destroy it is deleted (by the window later, with delayed
    // destroy and a window), else it is detached and lives on. False when it is not a child.
    virtual bool Remove(Control* control);
    virtual bool RemoveAt(std::size_t index);
    virtual void RemoveAll();
    virtual bool GetAutoDestroy() const { return autoDestroy_; }
    virtual void SetAutoDestroy(bool autoDestroy) { autoDestroy_ = autoDestroy; }
    virtual bool GetDelayedDestroy() const { return delayedDestroy_; }
    virtual void SetDelayedDestroy(bool delayed) { delayedDestroy_ = delayed; }
    virtual bool GetMouseChildEnabled() const { return mouseChildEnabled_; }
    virtual void SetMouseChildEnabled(bool enabled) { mouseChildEnabled_ = enabled; }
    virtual Layout* GetLayout() const { return layout_.get(); }
    // Takes ownership of the new layout, which arranges this box from now on, and deletes the
    // old one; null is ignored.
    virtual void ResetLayout(Layout* layout);
    // The stored rectangle less the padding.
    virtual RECT GetPosWithoutPadding() const;
    // Exchanges the places of two children without arranging.
    void SwapChildren(Control* a, Control* b);

    // Handlers for events raised by descendants: code-attached, and from the skin.
    std::vector<EventCallback>& BubbledEventMapAt(int type) { return bubbledEvents_[type]; }
    void AttachXmlBubbledEvent(int type, EventCallback callback) {
        xmlBubbledEvents_[type].push_back(std::move(callback));
    }

protected:
    EventMap xmlBubbledEvents_;
    std::unique_ptr<Layout> layout_;
    bool autoDestroy_ = true;
    bool delayedDestroy_ = true;
    bool mouseChildEnabled_ = true;
    std::vector<Control*> items_;
    EventMap bubbledEvents_;

private:
    bool IsSelfOrAncestor(const Control* control) const;
    // Out of the list without being destroyed, for a move to another box.
    void TakeOut(Control* child);
    // Deletes a child that left the list (or hands it to the window for later), or detaches it.
    void Dispose(Control* child);
    void Detach(Control* child);
};

}  // namespace ui
