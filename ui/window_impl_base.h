#pragma once

#include <windows.h>

#include <string>

#include "ui/message_filter.h"
#include "ui/window.h"

namespace ui {

struct EventArgs;

// The base of every skinned launcher window: a caption-less window whose content comes from
// an XML skin (the skin folder's file, built at WM_CREATE and wrapped in the shadow), whose
// skin bands act as title bar and resize borders, and whose "closebtn", "minbtn", "maxbtn"
// and "restorebtn" work. It routes window messages to the handlers below; a handler that
// leaves handled FALSE lets the message go on to the window's own dispatch. An object is
// created with new and deletes itself after its window's last message. UI thread only.
class WindowImplBase : public Window, public IUIMessageFilter {
public:
    WindowImplBase() = default;
    ~WindowImplBase() override = default;

    std::wstring GetWindowClassName() const override = 0;
    UINT GetClassStyle() const override { return CS_DBLCLKS; }
    // The window-close handlers run, the references to the root are dropped, the object goes.
    void OnFinalMessage(HWND hwnd) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Runs once the skin's root is attached.
    virtual void InitWindow() {}
    // The current style less the caption.
    virtual LONG GetStyle();
    // A control for a skin element name the builder does not know; null for none.
    virtual Control* CreateControl(const std::wstring& className);

    // Handlers of the routed messages; each is entered with handled TRUE. Those without a
    // task of their own hand the message on.
    virtual LRESULT OnClose(UINT, WPARAM, LPARAM, BOOL& handled) { return NotHandled(handled); }
    virtual LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL& handled) { return NotHandled(handled); }
    virtual LRESULT OnNcActivate(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled);
    // The whole window is client area.
    virtual LRESULT OnNcCalcSize(UINT, WPARAM, LPARAM, BOOL&) { return 0; }
    virtual LRESULT OnWindowPosChanging(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled);
    virtual LRESULT OnNcPaint(UINT, WPARAM, LPARAM, BOOL&) { return 0; }
    // A double click on the caption never maximises.
    virtual LRESULT OnNcLButtonDblClk(UINT, WPARAM, LPARAM, BOOL&) { return 0; }
    virtual LRESULT OnNcHitTest(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled);
    virtual LRESULT OnGetMinMaxInfo(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled);
    virtual LRESULT OnMouseWheel(UINT, WPARAM, LPARAM, BOOL& handled) { return NotHandled(handled); }
    virtual LRESULT OnMouseHover(UINT, WPARAM, LPARAM, BOOL& handled) { return NotHandled(handled); }
    virtual LRESULT OnDpiChanged(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled);
    virtual LRESULT OnSize(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled);
    virtual LRESULT OnChar(UINT, WPARAM, LPARAM, BOOL& handled) { return NotHandled(handled); }
    virtual LRESULT OnSysCommand(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled);
    virtual LRESULT OnKeyDown(UINT, WPARAM, LPARAM, BOOL& handled) { return NotHandled(handled); }
    virtual LRESULT OnKillFocus(UINT, WPARAM, LPARAM, BOOL& handled) { return NotHandled(handled); }
    virtual LRESULT OnSetFocus(UINT, WPARAM, LPARAM, BOOL& handled) { return NotHandled(handled); }
    virtual LRESULT OnLButtonDown(UINT, WPARAM, LPARAM, BOOL& handled) { return NotHandled(handled); }
    virtual LRESULT OnLButtonUp(UINT, WPARAM, LPARAM, BOOL& handled) { return NotHandled(handled); }
    virtual LRESULT OnMouseMove(UINT, WPARAM, LPARAM, BOOL& handled) { return NotHandled(handled); }

    // Restores a minimised window, else shows it and brings it to the front.
    virtual void ActivateWindow();
    virtual void SetTitle(const std::wstring& title);
    // The skin's folder under the resource root, and its file there.
    virtual std::wstring GetSkinFolder() = 0;
    virtual std::wstring GetSkinFile() = 0;

    // Never takes a message.
    LRESULT MessageHandler(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

protected:
    static LRESULT NotHandled(BOOL& handled) {
        handled = FALSE;
        return 0;
    }
    // WM_CREATE: builds the skin and attaches it; -1 (the window is not made) when the skin
    // cannot be built.
    LRESULT OnCreate();
    // The click handler of the system buttons; always true.
    bool OnButtonClick(EventArgs* args);

private:
    // Shows the load failure of a skin path.
    static void ShowLoadFailure(const std::wstring& path);
    void HookSystemButtons();
};

}  // namespace ui
