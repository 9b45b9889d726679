#pragma once

#include <windows.h>

#include <cstdint>

#include "browser/runtime/cef_ref.h"
#include "browser/runtime/cef_string.h"
#include "browser/runtime/cef_types.h"
#include "browser/runtime/cef_values.h"

// A browser, its frames and its host. Every operation may be called from any thread; those
// that change the browser queue their work to the runtime's UI thread and return at once.

class CefBrowser;
class CefClient;
class CefV8Context;

// The profile a browser loads with; the stand-in has one and offers no other, so the launcher
// passes null.
class CefRequestContext : public virtual CefBase {};

// A request of a page load.
class CefRequest : public virtual CefBase {
public:
    // The requested URL.
    virtual CefString GetURL() = 0;
    // "GET" for page loads.
    virtual CefString GetMethod() = 0;
};

// A node of a page's document; the stand-in knows only whether it takes text.
class CefDOMNode : public virtual CefBase {
public:
    // True for text fields and other editable nodes.
    virtual bool IsEditable() = 0;
};

// A frame of a page. The stand-in's pages have their main frame only.
class CefFrame : public virtual CefBase {
public:
    // Loads url in this frame.
    virtual void LoadURL(const CefString& url) = 0;
    // The frame's current URL.
    virtual CefString GetURL() = 0;
    // True for the browser's main frame.
    virtual bool IsMain() = 0;
    // The frame's identifier, unique in the process.
    virtual std::int64_t GetIdentifier() = 0;
    // The frame's browser.
    virtual CefRefPtr<CefBrowser> GetBrowser() = 0;
    // The script context of the frame's page; render side only, null elsewhere or without a page.
    virtual CefRefPtr<CefV8Context> GetV8Context() = 0;
};

// The browser-side controls of a browser: creation, size, visibility, input, closing.
class CefBrowserHost : public virtual CefBase {
public:
    // Creates a browser asynchronously: the client's life-span handler learns of it
    // (OnAfterCreated) on the runtime's UI thread, then url loads (none when empty); false when
    // the runtime is not running. The request context must be null.
    static bool CreateBrowser(const CefWindowInfo& windowInfo, CefRefPtr<CefClient> client, const CefString& url,
                              const CefBrowserSettings& settings, CefRefPtr<CefRequestContext> requestContext);

    // The browser of this host.
    virtual CefRefPtr<CefBrowser> GetBrowser() = 0;
    // The client the browser was created with.
    virtual CefRefPtr<CefClient> GetClient() = 0;
    // The browser's own window; null for an off-screen browser.
    virtual HWND GetWindowHandle() = 0;
    // Closes the browser: without force the life-span handler's DoClose may keep it open; then
    // OnBeforeClose follows.
    virtual void CloseBrowser(bool force) = 0;
    // Gives (or takes) the keyboard focus of a windowed browser.
    virtual void SetFocus(bool focus) = 0;
    // Off-screen: the view's size changed; the runtime asks GetViewRect and paints again.
    virtual void WasResized() = 0;
    // Off-screen: hidden browsers do not paint; showing paints again.
    virtual void WasHidden(bool hidden) = 0;
    // Off-screen: asks for a new frame of that element.
    virtual void Invalidate(CefPaintElementType type) = 0;
    // Off-screen input: a key.
    virtual void SendKeyEvent(const CefKeyEvent& event) = 0;
    // Off-screen input: a button press or release.
    virtual void SendMouseClickEvent(const CefMouseEvent& event, CefMouseButtonType type, bool mouseUp,
                                     int clickCount) = 0;
    // Off-screen input: the pointer moved (or left the view).
    virtual void SendMouseMoveEvent(const CefMouseEvent& event, bool mouseLeave) = 0;
    // Off-screen input: the wheel turned.
    virtual void SendMouseWheelEvent(const CefMouseEvent& event, int deltaX, int deltaY) = 0;
    // Off-screen input: the view gained or lost the focus.
    virtual void SendFocusEvent(bool setFocus) = 0;
    // Off-screen input: the mouse capture was lost.
    virtual void SendCaptureLostEvent() = 0;
    // Opens the developer tools of this browser in a new browser made from windowInfo and
    // client (its life-span handler learns of it as of any browser).
    virtual void ShowDevTools(const CefWindowInfo& windowInfo, CefRefPtr<CefClient> client,
                              const CefBrowserSettings& settings, const CefPoint& inspectElementAt) = 0;
    // Closes the developer tools browser opened by ShowDevTools, if any.
    virtual void CloseDevTools() = 0;
};

// One browser: its host, frames and process messages.
class CefBrowser : public virtual CefBase {
public:
    // The browser's host.
    virtual CefRefPtr<CefBrowserHost> GetHost() = 0;
    // The browser's identifier, unique in the process and never 0.
    virtual int GetIdentifier() = 0;
    // True when both refer to the same browser.
    virtual bool IsSame(CefRefPtr<CefBrowser> that) = 0;
    // The main frame.
    virtual CefRefPtr<CefFrame> GetMainFrame() = 0;
    // The frame with that identifier; null when there is none.
    virtual CefRefPtr<CefFrame> GetFrame(std::int64_t identifier) = 0;
    // Loads the current URL again.
    virtual void Reload() = 0;
    // True while a page loads.
    virtual bool IsLoading() = 0;
    // Sends a copy of message to the other side (PID_RENDERER from the browser side,
    // PID_BROWSER from the render side); the receiver's handler gets it on its thread.
    virtual bool SendProcessMessage(CefProcessId targetProcess, CefRefPtr<CefProcessMessage> message) = 0;
};
