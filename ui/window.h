#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/weak_callback.h"
#include "ui/event_args.h"

namespace ui {

class Box;
class Control;
class IRenderContext;

// Posted to a window to delete the controls handed to it for later deletion.
constexpr UINT kMsgDelayedDelete = WM_APP + 1;

// One native top-level window of the framework: owner of a control tree, of the focus, hover
// and capture references, of the named-control map and of the window's option groups and
// classes. UI thread only.
class Window : public virtual kbase::SupportWeakCallback {
public:
    Window();
    ~Window() override;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND GetHWND() const { return hwnd_; }
    Box* GetRoot() const { return root_.get(); }
    // Makes root the tree of this window and registers its named controls; an earlier root
    // is deleted later (kMsgDelayedDelete), never inside the current call.
    bool AttachRoot(Box* root);

    const std::wstring& GetResourcePath() const { return resourcePath_; }
    void SetResourcePath(const std::wstring& folder);
    bool IsLayeredWindow() const { return layered_; }
    POINT GetLastMousePos() const { return lastMousePoint_; }
    void SetLastMousePos(POINT point) { lastMousePoint_ = point; }
    // The shadow's width on each side (0 when no shadow is attached).
    RECT GetShadowPadding() const;
    bool IsShadowAttached() const { return shadowAttached_; }
    void SetArrange(bool pending) { layoutPending_ = pending; }
    // Invalidates a client rectangle without erasing; a layered window also gets a WM_PAINT.
    void InvalidateRect(const RECT& rect);
    bool IsArrangePending() const { return layoutPending_; }

    // Classes of this window's skin, consulted when the global table lacks a class.
    void AddClass(const std::wstring& name, const std::wstring& attributes) { classes_[name] = attributes; }
    std::wstring GetClassAttributes(const std::wstring& name) const;

    Control* GetFocus() const { return focus_; }
    Control* GetHoverControl() const { return hover_; }
    void SetHoverControl(Control* control) { hover_ = control; }
    // Moves the keyboard focus; a control of another window, hidden or disabled only loses
    // the old focus.
    void SetFocusControl(Control* control);

    // The topmost visible control under a client point; null when none.
    Control* FindControl(POINT point) const;
    // Exact, case-sensitive lookup of a control's name.
    Control* FindControl(const std::wstring& name) const;
    // FindControl callbacks: a named control matching data (a wide string) ignoring case; a
    // control whose rectangle holds data (a POINT).
    static Control* MatchControlName(Control* control, void* data);
    static Control* HitTestCallback(Control* control, void* data);
    // Enters every named control below control into the name map.
    void RegisterNamedControls(Control* control);

    // Hands a removed control to the window for deletion at kMsgDelayedDelete.
    void DelayDelete(Control* control);
    // Deletes every control waiting for deletion.
    void DeleteDelayedControls();
    // Clears every reference to a control that goes away.
    void ReapObjects(Control* control);

    bool AddOptionGroup(const std::wstring& group, Control* control);
    std::vector<Control*>* GetOptionGroup(const std::wstring& group);
    void RemoveOptionGroup(const std::wstring& group, Control* control);

protected:
    HWND hwnd_ = nullptr;
    std::unique_ptr<Box> root_;
    bool layered_ = true;
    bool layoutPending_ = false;
    std::wstring resourcePath_;
    POINT lastMousePoint_{-1, -1};
    Control* focus_ = nullptr;
    Control* newHover_ = nullptr;
    Control* hover_ = nullptr;
    Control* mouseCapture_ = nullptr;
    Control* keyDown_ = nullptr;
    Control* touchCapture_ = nullptr;
    Control* pointerCapture_ = nullptr;
    bool shadowAttached_ = true;
    RECT shadowPadding_{14, 14, 14, 14};
    std::map<std::wstring, std::wstring> classes_;
    std::map<std::wstring, std::vector<Control*>> optionGroups_;
    std::vector<Control*> delayedDelete_;
    std::map<std::wstring, Control*> nameMap_;
};

}  // namespace ui
