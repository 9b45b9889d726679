#pragma once

#include "browser/runtime/cef_browser.h"
#include "browser/runtime/cef_exports.h"
#include "browser/runtime/cef_handlers.h"
#include "browser/runtime/cef_ref.h"
#include "browser/runtime/cef_values.h"

// What a browser reports to: its handlers (null: the runtime's defaults) and the render side's
// messages. Called on the runtime's UI thread.
class CefClient : public virtual CefBase {
public:
    virtual CefRefPtr<CefContextMenuHandler> GetContextMenuHandler() { return nullptr; }
    virtual CefRefPtr<CefDialogHandler> GetDialogHandler() { return nullptr; }
    virtual CefRefPtr<CefDisplayHandler> GetDisplayHandler() { return nullptr; }
    virtual CefRefPtr<CefDownloadHandler> GetDownloadHandler() { return nullptr; }
    virtual CefRefPtr<CefDragHandler> GetDragHandler() { return nullptr; }
    virtual CefRefPtr<CefGeolocationHandler> GetGeolocationHandler() { return nullptr; }
    virtual CefRefPtr<CefJSDialogHandler> GetJSDialogHandler() { return nullptr; }
    virtual CefRefPtr<CefKeyboardHandler> GetKeyboardHandler() { return nullptr; }
    virtual CefRefPtr<CefLifeSpanHandler> GetLifeSpanHandler() { return nullptr; }
    virtual CefRefPtr<CefLoadHandler> GetLoadHandler() { return nullptr; }
    virtual CefRefPtr<CefRenderHandler> GetRenderHandler() { return nullptr; }
    virtual CefRefPtr<CefRequestHandler> GetRequestHandler() { return nullptr; }
    // A message from the render side; true when handled.
    virtual bool OnProcessMessageReceived(CefRefPtr<CefBrowser> /*browser*/, CefProcessId /*sourceProcess*/,
                                          CefRefPtr<CefProcessMessage> /*message*/) {
        return false;
    }
};

inline bool CefBrowserHost::CreateBrowser(const CefWindowInfo& windowInfo, CefRefPtr<CefClient> client,
                                          const CefString& url, const CefBrowserSettings& settings,
                                          CefRefPtr<CefRequestContext> requestContext) {
    return cef_browser_host_create_browser(&windowInfo, client.get(), &url, &settings, requestContext.get()) != 0;
}
