#pragma once

#include <windows.h>

#include <commctrl.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/unique_handle.h"
#include "base/weak_callback.h"
#include "ui/event_args.h"
#include "ui/font_info.h"
#include "ui/window_shadow.h"

namespace ui {

class Box;
class Control;
class IRenderContext;
class IUIMessageFilter;

// Posted to a window to delete the controls handed to it for later deletion.
constexpr UINT kMsgDelayedDelete = WM_APP + 1;

// One native top-level window of the framework: owner of a control tree, of the focus, hover
// and capture references, of the named-control map and of the window's option groups and
// classes; paints the tree into its own bitmap and shows it, per-pixel alpha when layered.
// UI thread only. Sources: window.cpp (life, tree, focus, bookkeeping), window_native.cpp
// (class, procedures, creation, showing), window_attributes.cpp (skin settings),
// window_paint.cpp (painting, fades), window_messages.cpp (messages into events),
// window_touch.cpp (touch and pointer input).
class Window : public virtual kbase::SupportWeakCallback {
public:
    Window();
    ~Window() override;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // --- the native window -----------------------------------------------------------------
    virtual std::wstring GetWindowClassName() const { return std::wstring(); }
    // A class whose procedure gets the unhandled messages; empty for none.
    virtual std::wstring GetSuperClassName() const { return std::wstring(); }
    virtual UINT GetClassStyle() const { return 0; }
    // Registers the class and creates the window (WS_EX_LAYERED added when layered); null on
    // failure.
    virtual HWND Create(HWND parent, const wchar_t* windowName, DWORD style, DWORD exStyle, bool layered = true,
                        const RECT& rect = RECT{0, 0, 0, 0});
    // Fades the root out and posts WM_CLOSE (wParam = code) 300 ms later; at once without a
    // root.
    virtual void Close(UINT code = IDOK);
    virtual bool ShowWindow(bool show = true, bool takeFocus = true);
    // After WM_NCDESTROY: unregisters touch input and tells the window-close handlers.
    virtual void OnFinalMessage(HWND hwnd);
    // DispatchMessage, then the saved window procedure for what it left unhandled.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Fades the whole window in through the root's alpha player.
    virtual void FadeInRoot();

    HWND GetHWND() const { return hwnd_; }
    // Takes the handle: paint DC, render context, touch input, the framework's window list
    // (with kMsgWindowStackChanged sent to the window).
    void Init(HWND hwnd);
    // Centres over the owner, else in the work area of the window's monitor.
    void CenterWindow();
    // Constant alpha of the layered window; repaints the root.
    void SetWindowAlpha(int alpha);
    BYTE GetWindowAlpha() const { return windowAlpha_; }

    // --- the tree ----------------------------------------------------------------------------
    Box* GetRoot() const { return root_.get(); }
    // Makes root the tree of this window and registers its named controls; an earlier root
    // is deleted later (kMsgDelayedDelete), never inside the current call.
    bool AttachRoot(Box* root);
    IRenderContext* GetRenderContext() const { return renderContext_.get(); }
    HDC GetPaintDC() const { return paintDc_.Get(); }

    const std::wstring& GetResourcePath() const { return resourcePath_; }
    void SetResourcePath(const std::wstring& folder);
    bool IsLayeredWindow() const { return layered_; }
    POINT GetLastMousePos() const { return lastMousePoint_; }
    void SetLastMousePos(POINT point) { lastMousePoint_ = point; }
    const FontInfo& GetDefaultFontInfo() const { return defaultFont_; }

    // The shadow's width on each side (0 when no shadow is attached).
    RECT GetShadowPadding() const;
    bool IsShadowAttached() const { return shadow_.attached; }
    WindowShadow& GetShadow() { return shadow_; }
    void SetArrange(bool pending) { layoutPending_ = pending; }
    bool IsArrangePending() const { return layoutPending_; }
    // Invalidates a client rectangle without erasing; a layered window also gets a WM_PAINT,
    // unless one is already on its way.
    void InvalidateRect(const RECT& rect);
    // Takes the mouse for the window, or lets it go (a text field's drag selection).
    void CaptureMouse(bool capture);

    // Classes of this window's skin, consulted when the global table lacks a class.
    void AddClass(const std::wstring& name, const std::wstring& attributes) { classes_[name] = attributes; }
    std::wstring GetClassAttributes(const std::wstring& name) const;

    // --- settings of the skin's window element (window_attributes.cpp) ----------------------
    // One attribute of the element, by name; unknown names are ignored.
    void SetWindowAttribute(const std::wstring& name, const std::wstring& value);
    // Scales when asked, adds the shadow padding when attached, keeps the previous size as the
    // design size and resizes a window that has no root yet. containShadow has no effect.
    void SetInitSize(int cx, int cy, bool containShadow = false, bool scaleForDpi = true);
    SIZE GetInitSize() const { return initSize_; }
    // The initial size before its last change (0, 0 while it had none).
    SIZE GetDesignSize() const { return designSize_; }
    // As large as the top-level owner's framework window, less (dx, dy).
    void ExpandToOwner(int dx, int dy);
    // Height from the monitor's work area, within the minimum and maximum height.
    void SetHeightPercent(double percent);
    double GetHeightPercent() const { return heightPercent_; }
    void SetEdging(RECT edging, bool scaleForDpi = true);
    RECT GetEdging() const { return edging_; }
    // Widths of the resize bands inside the client area; never scaled.
    void SetSizeBox(RECT sizeBox) { sizeBox_ = sizeBox; }
    RECT GetSizeBox() const { return sizeBox_; }
    void SetCaptionRect(RECT caption, bool scaleForDpi = true);
    RECT GetCaptionRect() const { return caption_; }
    // The window text from the language table.
    void SetTextId(const std::wstring& id);
    void SetRoundCorner(int cx, int cy, bool scaleForDpi = true);
    SIZE GetRoundCorner() const { return roundCorner_; }
    // 0 means no limit; a limit gets the shadow padding of its axis added.
    void SetMinInfo(int cx, int cy, bool scaleForDpi = true);
    SIZE GetMinInfo() const { return minInfo_; }
    void SetMaxInfo(int cx, int cy, bool scaleForDpi = true);
    SIZE GetMaxInfo() const { return maxInfo_; }
    // Position and size of the maximised window in the work area; empty: the whole area.
    void SetMaximizedRect(RECT rect) { maximizedRect_ = rect; }
    RECT GetMaximizedRect() const { return maximizedRect_; }
    void SetShadowAttached(bool attached) { shadow_.attached = attached; }
    // The shadow box's background image attribute; the default image is no longer used.
    void SetShadowImage(const std::wstring& image);
    // The shadow width on each side, as the skin gives it.
    void SetShadowCorner(RECT corner);
    // The border band of the alpha repair of a window without shadow.
    void SetAlphaFixCorner(RECT corner, bool scaleForDpi = true);
    RECT GetAlphaFixCorner() const { return alphaFixCorner_; }

    // --- focus, hover and searching ---------------------------------------------------------
    Control* GetFocus() const { return focus_; }
    Control* GetHoverControl() const { return hover_; }
    void SetHoverControl(Control* control) { hover_ = control; }
    // Moves the keyboard focus; a control of another window, hidden or disabled only loses
    // the old focus.
    void SetFocusControl(Control* control);
    // Moves the focus to the next (or previous) tab stop, wrapping around; while the first
    // layout is pending a forward move only repaints. Always true.
    bool SetNextTabControl(bool forward = true);

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

    // --- messages and window events -----------------------------------------------------------
    // Filters are asked first for every message, in the order added; the window does not own
    // them.
    void AddMessageFilter(IUIMessageFilter* filter);
    void RemoveMessageFilter(IUIMessageFilter* filter);
    // Turns a message into control events, painting, focus and capture changes; handled says
    // whether it was consumed.
    LRESULT DispatchMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    // Moves the hover to the control under point; false when that control is another
    // window's.
    bool HandleMouseEnterLeave(POINT point, WPARAM wParam, LPARAM lParam);
    // True while a control of this window holds the mouse capture.
    bool IsCaptured() const { return mouseCaptured_; }
    // The message as the window procedure this window replaced (the default one, or its super
    // class's) handles it, past the framework's handling.
    LRESULT CallSavedWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Handlers of the window's own events (the window-close event and the catch-all).
    void AttachWindowEvent(int type, EventCallback callback) { windowEvents_[type].push_back(std::move(callback)); }
    // Runs the window-close handlers, then the catch-all ones.
    void NotifyWindowClose();

protected:
    // One touch or pointer contact, in client coordinates.
    enum class ContactPhase { kDown, kMove, kUp };
    struct PointerContact {
        POINT point{0, 0};
        float pressure = 0.0f;
    };

    // The size of an auto-sized root: its estimate in unbounded room, within its limits.
    SIZE EstimateAutoSize() const;
    // The WM_PAINT of the window: lays out what is pending, paints the update rectangle into
    // the render context, repairs the alpha a layered window needs and shows the bitmap.
    void LayeredPaint();
    // The first input of a WM_TOUCH; never handled.
    void HandleTouchContact(ContactPhase phase, POINT point, LPARAM lParam);
    // A primary pointer's contact; handled when its capture control takes pointer input.
    bool HandlePointerContact(UINT message, const PointerContact& contact, LPARAM lParam);

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
    WindowShadow shadow_;

private:
    struct WindowTraits {
        using Raw = HWND;
        static Raw Invalid() { return nullptr; }
        static void Close(Raw window) { ::DestroyWindow(window); }
    };
    // GetDC of a window, released with it.
    class WindowDc {
    public:
        WindowDc() = default;
        explicit WindowDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
        WindowDc(WindowDc&& other) noexcept;
        WindowDc& operator=(WindowDc&& other) noexcept;
        ~WindowDc() { Reset(); }
        HDC Get() const { return dc_; }
        void Reset();

    private:
        HWND window_ = nullptr;
        HDC dc_ = nullptr;
    };

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK SuperClassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool RegisterWindowClass();
    bool RegisterSuperClass();
    // Clears the native window's pointer to this object, when the window outlives it.
    void DetachFromNativeWindow();
    // After the last message: the handle and the tooltip (owned by the window) are gone.
    void ForgetNativeWindow();
    // The new initial size of "expand" and "heightpercent": the old one becomes the design
    // size, and a window without root is resized at once.
    void ApplyInitSize(SIZE size);
    void ResizeToInitSize();
    // Paint steps.
    void ArrangePending(const RECT& client);
    void RepairAlpha(const RECT& paint);
    void ShowBitmap(const RECT& paint, const RECT& client);
    // Message handlers of DispatchMessage.
    void OnSize(WPARAM wParam);
    void OnKillFocus(WPARAM wParam, LPARAM lParam);
    void OnCloseMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetCursor(POINT point, WPARAM wParam, LPARAM lParam, bool& handled);
    void OnContextMenu(POINT point, WPARAM wParam);
    LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam);
    void OnMouseMove(POINT point, WPARAM wParam, LPARAM lParam);
    void OnButtonDown(UINT message, POINT point, WPARAM wParam, LPARAM lParam);
    void OnButtonUp(UINT message, POINT point, WPARAM wParam, LPARAM lParam);
    void OnMouseHover(POINT point, WPARAM wParam, LPARAM lParam, bool& handled);
    void OnMouseLeave();
    void ShowToolTip(Control* control);
    void OnTouch(WPARAM wParam, LPARAM lParam);
    static bool IsPointerMessage(UINT message);
    LRESULT OnPointer(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    // The found control when it belongs to this window.
    Control* FindOwnControl(POINT point) const;
    bool HasTouchOrPointerCapture() const { return touchCapture_ || pointerCapture_; }
    void ReleaseMouseCapture();

    // Declared first, deleted last.
    std::unique_ptr<IRenderContext> renderContext_;
    WNDPROC oldWndProc_ = ::DefWindowProcW;
    std::map<int, std::vector<EventCallback>> windowEvents_;
    SIZE minInfo_{0, 0};
    SIZE maxInfo_{0, 0};
    SIZE initSize_{0, 0};
    SIZE designSize_{0, 0};
    RECT edging_{0, 0, 0, 0};
    RECT sizeBox_{0, 0, 0, 0};
    RECT alphaFixCorner_{0, 0, 0, 0};
    RECT maximizedRect_{0, 0, 0, 0};
    SIZE roundCorner_{0, 0};
    RECT caption_{0, 0, 0, 0};
    double heightPercent_ = 0.0;
    WindowDc paintDc_;
    BYTE windowAlpha_ = 255;
    bool firstFadePending_ = true;
    bool paintPosted_ = false;
    kbase::UniqueHandle<WindowTraits> toolTip_;
    TOOLINFOW toolInfo_{};
    POINT lastTouchPoint_{-1, -1};
    bool mouseTracking_ = false;
    bool mouseCaptured_ = false;
    FontInfo defaultFont_;
    std::map<std::wstring, std::wstring> classes_;
    std::map<std::wstring, std::vector<Control*>> optionGroups_;
    std::vector<IUIMessageFilter*> messageFilters_;
    std::vector<Control*> delayedDelete_;
    std::map<std::wstring, Control*> nameMap_;
};

}  // namespace ui
