#pragma once

#include <memory>
#include <vector>

#include "browser/ref_counted.h"
#include "browser/runtime/cef_app.h"

namespace zel_comp {

class CefJSBridge;

// The application object handed to the browser runtime. On the browser side it adds the
// launcher's switches and keeps cookies for http and https; on the render side it injects the
// page object "ZelCefWebInstance" and carries the render half of the JavaScript bridge
// (client_app_render.cpp).
class ClientApp : public CefApp,
                  public CefBrowserProcessHandler,
                  public CefRenderProcessHandler,
                  public RefCounted<ClientApp> {
public:
    ClientApp() = default;
    ClientApp(const ClientApp&) = delete;
    ClientApp& operator=(const ClientApp&) = delete;

    // --- CefApp -------------------------------------------------------------------------------
    void OnBeforeCommandLineProcessing(const CefString& processType, CefRefPtr<CefCommandLine> commandLine) override;
    void OnRegisterCustomSchemes(CefRefPtr<CefSchemeRegistrar> registrar) override;
    CefRefPtr<CefBrowserProcessHandler> GetBrowserProcessHandler() override { return this; }
    CefRefPtr<CefRenderProcessHandler> GetRenderProcessHandler() override { return this; }

    // --- CefBrowserProcessHandler ---------------------------------------------------------------
    void OnContextInitialized() override;

    // --- CefRenderProcessHandler (client_app_render.cpp) ----------------------------------------
    void OnWebKitInitialized() override;
    void OnBrowserCreated(CefRefPtr<CefBrowser> browser) override;
    void OnContextReleased(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                           CefRefPtr<CefV8Context> context) override;
    void OnFocusedNodeChanged(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                              CefRefPtr<CefDOMNode> node) override;
    bool OnProcessMessageReceived(CefRefPtr<CefBrowser> browser, CefProcessId sourceProcess,
                                  CefRefPtr<CefProcessMessage> message) override;

    const std::vector<CefString>& GetCookieableSchemes() const { return cookieableSchemes_; }

private:
    friend class RefCounted<ClientApp>;
    ~ClientApp() override;

    // The render side's bridge, made on first need.
    CefJSBridge& RenderBridge();

    std::shared_ptr<CefJSBridge> renderBridge_;
    std::vector<CefString> cookieableSchemes_;
    bool focusedNodeEditable_ = false;
};

}  // namespace zel_comp
