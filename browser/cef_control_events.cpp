// The control side of the browser's events: each reaches its event callback, converted, or
// takes its default answer.
#include "browser/cef_control_base.h"

#include "base/thread_registry.h"
#include "browser/cef_js_bridge.h"
#include "browser/url_without_fragment.h"

namespace zel_comp {

void CefControlBase::UpdateWindowPos() {
    SetPos(GetPos(true));
}

void CefControlBase::OnBeforeContextMenu(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>,
                                         CefRefPtr<CefContextMenuParams> params, CefRefPtr<CefMenuModel> model) {
    if (onBeforeContextMenu_) onBeforeContextMenu_(params, model);
}

bool CefControlBase::OnContextMenuCommand(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>,
                                          CefRefPtr<CefContextMenuParams> params, int commandId,
                                          std::uint32_t eventFlags) {
    return onContextMenuCommand_ ? onContextMenuCommand_(params, commandId, eventFlags) : false;
}

void CefControlBase::OnAddressChange(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame> frame, const CefString& url) {
    if (onUrlChange_) onUrlChange_(url.ToWString());
    if (!frame || !frame->IsMain()) return;
    const CefString oldUrl = url_;
    url_ = frame->GetURL();
    if (onMainUrlChange_ && IsOtherPage(oldUrl, url_)) onMainUrlChange_(oldUrl, url_);
}

void CefControlBase::OnTitleChange(CefRefPtr<CefBrowser>, const CefString& title) {
    if (onTitleChange_) onTitleChange_(title.ToWString());
}

void CefControlBase::OnLoadingStateChange(CefRefPtr<CefBrowser>, bool isLoading, bool canGoBack, bool canGoForward) {
    if (onLoadingStateChange_) onLoadingStateChange_(isLoading, canGoBack, canGoForward);
}

void CefControlBase::OnLoadStart(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame) {
    if (onLoadStart_) onLoadStart_(browser, frame);
}

void CefControlBase::OnLoadEnd(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, int httpStatusCode) {
    if (onLoadEnd_) onLoadEnd_(httpStatusCode);
}

void CefControlBase::OnLoadError(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, CefErrorCode errorCode,
                                 const CefString& errorText, const CefString& failedUrl) {
    if (onLoadError_) onLoadError_(errorCode, errorText, failedUrl);
}

bool CefControlBase::OnBeforePopup(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, const CefString& targetUrl,
                                   const CefString&, CefWindowOpenDisposition, bool, const CefPopupFeatures&,
                                   CefWindowInfo&, CefRefPtr<CefClient>&, CefBrowserSettings&, bool*) {
    if (!onBeforePopup_ || targetUrl.empty()) return false;
    return onBeforePopup_(targetUrl.ToWString());
}

void CefControlBase::OnAfterCreated(CefRefPtr<CefBrowser> browser) {
    if (onAfterCreated_) onAfterCreated_(browser);
}

void CefControlBase::OnBeforeClose(CefRefPtr<CefBrowser> browser) {
    if (onBeforeClose_) onBeforeClose_(browser);
}

bool CefControlBase::OnBeforeBrowse(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                                    CefRefPtr<CefRequest> request, bool isRedirect) {
    return onBeforeBrowse_ ? onBeforeBrowse_(browser, frame, request, isRedirect) : false;
}

void CefControlBase::OnProtocolExecution(CefRefPtr<CefBrowser> browser, const CefString& url,
                                         bool& allowOsExecution) {
    if (onProtocolExecution_) onProtocolExecution_(browser, url, allowOsExecution);
}

CefReturnValue CefControlBase::OnBeforeResourceLoad(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>,
                                                    CefRefPtr<CefRequest> request, CefRefPtr<CefRequestCallback>) {
    return onBeforeResourceLoad_ ? onBeforeResourceLoad_(request, false) : RV_CONTINUE;
}

void CefControlBase::OnBeforeDownload(CefRefPtr<CefBrowser> browser, CefRefPtr<CefDownloadItem> item,
                                      const CefString& suggestedName, CefRefPtr<CefBeforeDownloadCallback> callback) {
    if (onBeforeDownload_) onBeforeDownload_(browser, item, suggestedName, callback);
}

void CefControlBase::OnDownloadUpdated(CefRefPtr<CefBrowser> browser, CefRefPtr<CefDownloadItem> item,
                                       CefRefPtr<CefDownloadItemCallback> callback) {
    if (onDownloadUpdated_) onDownloadUpdated_(browser, item, callback);
}

bool CefControlBase::OnFileDialog(CefRefPtr<CefBrowser>, CefFileDialogMode mode, const CefString& title,
                                  const CefString& defaultFilePath, const std::vector<CefString>& acceptFilters,
                                  int selectedAcceptFilter, CefRefPtr<CefFileDialogCallback> callback) {
    return onFileDialog_ ? onFileDialog_(mode, title, defaultFilePath, acceptFilters, selectedAcceptFilter, callback)
                         : false;
}

bool CefControlBase::OnCallCppFunction(const CefString& functionName, const CefString& parameters,
                                       int pageCallbackId, CefRefPtr<CefBrowser> browser) {
    if (!jsBridge_) return false;
    jsCallThread_ = kbase::ThreadRegistry::GetInstance()->GetCurrentThreadIdentifier();
    return jsBridge_->HandleCallCppFunction(functionName, parameters, pageCallbackId, browser);
}

bool CefControlBase::OnExecuteCppCallback(int nativeCallbackId, const CefString& result) {
    if (!jsBridge_) return false;
    const int thread = jsCallThread_;
    if (thread == -1) return jsBridge_->HandleExecuteCppCallback(nativeCallbackId, result);
    // The bridge, not the control, travels: it outlives a control destroyed meanwhile.
    const std::shared_ptr<CefJSBridge> bridge = jsBridge_;
    kbase::ThreadRegistry::GetInstance()->PostTask(
        thread, [bridge, nativeCallbackId, result] { bridge->HandleExecuteCppCallback(nativeCallbackId, result); });
    return false;
}

}  // namespace zel_comp
