#include "browser/client_app.h"

#include "browser/cef_js_bridge.h"
#include "browser/cef_manager.h"
#include "browser/runtime/cef_cookie.h"

namespace zel_comp {

ClientApp::~ClientApp() = default;

void ClientApp::OnBeforeCommandLineProcessing(const CefString& processType, CefRefPtr<CefCommandLine> commandLine) {
    if (!processType.empty() || !commandLine) return;
    commandLine->AppendSwitchWithValue("ppapi-flash-version", "20.0.0.228");
    commandLine->AppendSwitchWithValue("ppapi-flash-path", "PepperFlash\\pepflashplayer.dll");
    commandLine->AppendSwitch("process-per-site");
    commandLine->AppendSwitch("disable-gpu");
    commandLine->AppendSwitch("disable-gpu-compositing");
    if (CefManager::GetInstance().IsOffScreenRendering()) {
        commandLine->AppendSwitch("disable-surfaces");
        commandLine->AppendSwitch("enable-begin-frame-scheduling");
    }
}

void ClientApp::OnRegisterCustomSchemes(CefRefPtr<CefSchemeRegistrar>) {
    cookieableSchemes_.push_back("http");
    cookieableSchemes_.push_back("https");
}

void ClientApp::OnContextInitialized() {
    const CefRefPtr<CefCookieManager> cookies = CefCookieManager::GetGlobalManager(nullptr);
    if (cookies) cookies->SetSupportedSchemes(cookieableSchemes_, nullptr);
}

}  // namespace zel_comp
