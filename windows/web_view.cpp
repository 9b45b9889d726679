#include "windows/web_view.h"

#include "browser/cef_control.h"
#include "browser/cef_manager.h"
#include "browser/cef_native_control.h"
#include "windows/cef_dummy_control.h"

namespace {

// Below 255 the framework paints the view into a picture of its own and blends that in, so the
// page's transparent pixels stay transparent.
constexpr int kWebViewAlpha = 254;

}  // namespace

std::unique_ptr<ui::Control> CreateWebViewControl() {
    const zel_comp::CefManager& manager = zel_comp::CefManager::GetInstance();
    if (!manager.IsInitialized()) return std::make_unique<MainComponents::CefDummyControl>();
    if (!manager.IsOffScreenRendering()) return std::make_unique<zel_comp::CefNativeControl>();
    auto control = std::make_unique<zel_comp::CefControl>();
    control->SetTransparentPainting(true);
    control->SetAlpha(kWebViewAlpha);
    control->Invalidate();
    return control;
}

std::string ActivityPageAddress(const std::string& activityUrl, const std::string& gateAddress,
                                const std::string& languageCode) {
    if (!activityUrl.empty()) return activityUrl;
    if (gateAddress.empty()) return {};
    return gateAddress + "&lang=" + (languageCode.empty() ? std::string("en") : languageCode);
}
