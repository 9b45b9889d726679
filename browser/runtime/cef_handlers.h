#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "browser/runtime/cef_browser.h"
#include "browser/runtime/cef_callbacks.h"
#include "browser/runtime/cef_ref.h"
#include "browser/runtime/cef_string.h"
#include "browser/runtime/cef_types.h"

// The handler interfaces a client offers. The runtime calls every one of them on its UI thread
// (TID_UI); the default bodies are the runtime's own answers when a handler keeps them.

class CefClient;

class CefLifeSpanHandler : public virtual CefBase {
public:
    // A page wants a new window for targetUrl; false lets the runtime create it (as a browser
    // of client, shown as windowInfo says), true cancels it.
    virtual bool OnBeforePopup(CefRefPtr<CefBrowser> /*browser*/, CefRefPtr<CefFrame> /*frame*/,
                               const CefString& /*targetUrl*/, const CefString& /*targetFrameName*/,
                               CefWindowOpenDisposition /*targetDisposition*/, bool /*userGesture*/,
                               const CefPopupFeatures& /*popupFeatures*/, CefWindowInfo& /*windowInfo*/,
                               CefRefPtr<CefClient>& /*client*/, CefBrowserSettings& /*settings*/,
                               bool* /*noJavascriptAccess*/) {
        return false;
    }
    // The browser exists; it is the first call about it.
    virtual void OnAfterCreated(CefRefPtr<CefBrowser> /*browser*/) {}
    // A close without force was asked; true keeps the browser open.
    virtual bool DoClose(CefRefPtr<CefBrowser> /*browser*/) { return false; }
    // The browser closes; it is the last call about it.
    virtual void OnBeforeClose(CefRefPtr<CefBrowser> /*browser*/) {}
};

// Off-screen rendering: where the view is, and the frames painted into memory.
class CefRenderHandler : public virtual CefBase {
public:
    // The root window's rectangle in screen pixels; false when unknown.
    virtual bool GetRootScreenRect(CefRefPtr<CefBrowser> /*browser*/, CefRect& /*rect*/) { return false; }
    // The view's rectangle (its size is the frame's size); false when unknown (no frames then).
    virtual bool GetViewRect(CefRefPtr<CefBrowser> /*browser*/, CefRect& /*rect*/) { return false; }
    // A view point in screen pixels; false when unknown.
    virtual bool GetScreenPoint(CefRefPtr<CefBrowser> /*browser*/, int /*viewX*/, int /*viewY*/, int& /*screenX*/,
                                int& /*screenY*/) {
        return false;
    }
    // The page's drop-down opens (show) or closes.
    virtual void OnPopupShow(CefRefPtr<CefBrowser> /*browser*/, bool /*show*/) {}
    // The drop-down's rectangle in view pixels.
    virtual void OnPopupSize(CefRefPtr<CefBrowser> /*browser*/, const CefRect& /*rect*/) {}
    // A frame: width x height pixels, 4 bytes each (blue, green, red, alpha), rows top-down
    // without padding; buffer is valid during the call only.
    virtual void OnPaint(CefRefPtr<CefBrowser> /*browser*/, CefPaintElementType /*type*/,
                         const std::vector<CefRect>& /*dirtyRects*/, const void* /*buffer*/, int /*width*/,
                         int /*height*/) {}
    // The pointer over the view should look like cursor.
    virtual void OnCursorChange(CefRefPtr<CefBrowser> /*browser*/, HCURSOR /*cursor*/) {}
};

class CefContextMenuHandler : public virtual CefBase {
public:
    // Before a context menu shows; the handler may change or clear model (an empty menu is
    // not shown).
    virtual void OnBeforeContextMenu(CefRefPtr<CefBrowser> /*browser*/, CefRefPtr<CefFrame> /*frame*/,
                                     CefRefPtr<CefContextMenuParams> /*params*/, CefRefPtr<CefMenuModel> /*model*/) {}
    // A menu command was chosen; true when handled.
    virtual bool OnContextMenuCommand(CefRefPtr<CefBrowser> /*browser*/, CefRefPtr<CefFrame> /*frame*/,
                                      CefRefPtr<CefContextMenuParams> /*params*/, int /*commandId*/,
                                      std::uint32_t /*eventFlags*/) {
        return false;
    }
};

class CefDisplayHandler : public virtual CefBase {
public:
    // A frame's URL changed.
    virtual void OnAddressChange(CefRefPtr<CefBrowser> /*browser*/, CefRefPtr<CefFrame> /*frame*/,
                                 const CefString& /*url*/) {}
    // The page's title changed.
    virtual void OnTitleChange(CefRefPtr<CefBrowser> /*browser*/, const CefString& /*title*/) {}
    // The page wrote to its console; true keeps it out of the runtime's log.
    virtual bool OnConsoleMessage(CefRefPtr<CefBrowser> /*browser*/, const CefString& /*message*/,
                                  const CefString& /*source*/, int /*line*/) {
        return false;
    }
};

// The stand-in has no drag and drop: nothing is asked.
class CefDragHandler : public virtual CefBase {};

// The stand-in has no geolocation: nothing is asked.
class CefGeolocationHandler : public virtual CefBase {};

class CefJSDialogHandler : public virtual CefBase {
public:
    // A page opens an alert, confirm or prompt; true when the handler shows it and answers
    // callback later; with false the dialog is dropped when suppressMessage is set, else the
    // stand-in (which shows no dialogs) answers it with Cancel.
    virtual bool OnJSDialog(CefRefPtr<CefBrowser> /*browser*/, const CefString& /*originUrl*/,
                            CefJSDialogType /*dialogType*/, const CefString& /*messageText*/,
                            const CefString& /*defaultPromptText*/, CefRefPtr<CefJSDialogCallback> /*callback*/,
                            bool& /*suppressMessage*/) {
        return false;
    }
};

class CefKeyboardHandler : public virtual CefBase {
public:
    // Before the page sees a key; true when the handler consumed it.
    virtual bool OnPreKeyEvent(CefRefPtr<CefBrowser> /*browser*/, const CefKeyEvent& /*event*/,
                               const MSG* /*osEvent*/, bool* /*isKeyboardShortcut*/) {
        return false;
    }
    // After the page left a key unhandled; true when the handler used it.
    virtual bool OnKeyEvent(CefRefPtr<CefBrowser> /*browser*/, const CefKeyEvent& /*event*/,
                            const MSG* /*osEvent*/) {
        return false;
    }
};

class CefLoadHandler : public virtual CefBase {
public:
    // The browser starts (isLoading) or stops loading.
    virtual void OnLoadingStateChange(CefRefPtr<CefBrowser> /*browser*/, bool /*isLoading*/, bool /*canGoBack*/,
                                      bool /*canGoForward*/) {}
    // A frame starts loading its page (after its address changed).
    virtual void OnLoadStart(CefRefPtr<CefBrowser> /*browser*/, CefRefPtr<CefFrame> /*frame*/) {}
    // A frame's page has loaded, with the HTTP status of its answer.
    virtual void OnLoadEnd(CefRefPtr<CefBrowser> /*browser*/, CefRefPtr<CefFrame> /*frame*/,
                           int /*httpStatusCode*/) {}
    // A frame's load failed.
    virtual void OnLoadError(CefRefPtr<CefBrowser> /*browser*/, CefRefPtr<CefFrame> /*frame*/,
                             CefErrorCode /*errorCode*/, const CefString& /*errorText*/,
                             const CefString& /*failedUrl*/) {}
};

class CefRequestHandler : public virtual CefBase {
public:
    // A frame is about to navigate; true cancels the navigation.
    virtual bool OnBeforeBrowse(CefRefPtr<CefBrowser> /*browser*/, CefRefPtr<CefFrame> /*frame*/,
                                CefRefPtr<CefRequest> /*request*/, bool /*isRedirect*/) {
        return false;
    }
    // A resource is about to be fetched: go on, cancel, or wait for callback.
    virtual CefReturnValue OnBeforeResourceLoad(CefRefPtr<CefBrowser> /*browser*/, CefRefPtr<CefFrame> /*frame*/,
                                                CefRefPtr<CefRequest> /*request*/,
                                                CefRefPtr<CefRequestCallback> /*callback*/) {
        return RV_CONTINUE;
    }
    // A page asks for newSize bytes of storage; true when callback answers (now or later),
    // false refuses at once.
    virtual bool OnQuotaRequest(CefRefPtr<CefBrowser> /*browser*/, const CefString& /*originUrl*/,
                                std::int64_t /*newSize*/, CefRefPtr<CefRequestCallback> /*callback*/) {
        return false;
    }
    // A URL of a scheme the runtime does not load; setting allowOsExecution hands it to the
    // system (the stand-in only notes that in its journal).
    virtual void OnProtocolExecution(CefRefPtr<CefBrowser> /*browser*/, const CefString& /*url*/,
                                     bool& /*allowOsExecution*/) {}
    // The render side of the browser ended.
    virtual void OnRenderProcessTerminated(CefRefPtr<CefBrowser> /*browser*/, CefTerminationStatus /*status*/) {}
};

class CefDownloadHandler : public virtual CefBase {
public:
    // A download was asked for; it starts only when callback is continued.
    virtual void OnBeforeDownload(CefRefPtr<CefBrowser> /*browser*/, CefRefPtr<CefDownloadItem> /*item*/,
                                  const CefString& /*suggestedName*/,
                                  CefRefPtr<CefBeforeDownloadCallback> /*callback*/) {}
    // A started download progressed, finished or was cancelled.
    virtual void OnDownloadUpdated(CefRefPtr<CefBrowser> /*browser*/, CefRefPtr<CefDownloadItem> /*item*/,
                                   CefRefPtr<CefDownloadItemCallback> /*callback*/) {}
};

class CefDialogHandler : public virtual CefBase {
public:
    // A page opens a file chooser; true when the handler answers callback; with false the
    // stand-in (which has no dialog of its own) cancels it.
    virtual bool OnFileDialog(CefRefPtr<CefBrowser> /*browser*/, CefFileDialogMode /*mode*/,
                              const CefString& /*title*/, const CefString& /*defaultFilePath*/,
                              const std::vector<CefString>& /*acceptFilters*/, int /*selectedAcceptFilter*/,
                              CefRefPtr<CefFileDialogCallback> /*callback*/) {
        return false;
    }
};
