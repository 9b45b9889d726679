#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "ui/control.h"

namespace ui {

class Layout;

// The container of the control tree: an ordered list of children, measured and placed by its
// layout, and two maps of handlers for events that bubble up from its descendants.
class Box : public Control {
public:
    explicit Box(Layout* layout);  // takes ownership of the layout
    ~Box() override;

    void SetWindowAndParent(Window* window, Box* parent, bool init) override;
    SIZE EstimateSize(SIZE available) override;
    void SetPos(RECT rect) override;
    void SetInternalVisible(bool visible) override;
    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override;
    bool IsTabStop() const override { return false; }
    Control* FindControl(FindControlCallback callback, void* data, UINT flags, SIZE offset = {0, 0}) override;
    void DispatchEvent(EventArgs* args) override;
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
    void PaintChild(IRenderContext* context, const RECT& dirty) override;
    void ReloadImageFromCache() override;
    void ReleaseBkImage() override;
    void ClearImageCache() override;

    virtual Control* GetItemAt(std::size_t index) const;
    virtual int GetItemIndex(Control* control) const;
    virtual bool SetItemIndex(Control* control, std::size_t index);
    virtual int GetCount() const;
    virtual bool Add(Control* control);
    virtual bool AddAt(Control* control, std::size_t index);
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
    virtual void ResetLayout(Layout* layout);
    virtual RECT GetPosWithoutPadding() const;
    void SwapChildren(Control* a, Control* b);

    // Handlers for events raised by descendants: code-attached, and from the skin.
    std::vector<EventCallback>& BubbledEventMapAt(int type) { return bubbledEvents_[type]; }
    void AttachXmlBubbledEvent(int type, EventCallback callback) { xmlBubbledEvents_[type].push_back(std::move(callback)); }

protected:
    EventMap xmlBubbledEvents_;
    std::unique_ptr<Layout> layout_;
    bool autoDestroy_ = true;
    bool delayedDestroy_ = true;
    bool mouseChildEnabled_ = true;
    std::vector<Control*> items_;
    EventMap bubbledEvents_;
};

}  // namespace ui
