#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "browser/browser_handler.h"
#include "ui/control.h"

namespace zel_comp {

class CefJSBridge;

// What every browser control has: the handler of its browser, the browser half of the
// JavaScript bridge, the main frame's URL and the developer-tools state; and, as the handler's
// delegate, the control side of the browser's events, which reach the event callbacks below
// or take their defaults. Two forms: off-screen (CefControl) and windowed (CefNativeControl).
class CefControlBase : public ui::Control, public BrowserHandler::HandlerDelegate {
public:
    using BeforeContextMenuCallback = std::function<void(CefRefPtr<CefContextMenuParams>, CefRefPtr<CefMenuModel>)>;
    using ContextMenuCommandCallback =
        std::function<bool(CefRefPtr<CefContextMenuParams>, int commandId, std::uint32_t eventFlags)>;
    using TitleChangeCallback = std::function<void(const std::wstring& title)>;
    using BeforeResourceLoadCallback = std::function<CefReturnValue(CefRefPtr<CefRequest>, bool)>;
    using UrlChangeCallback = std::function<void(const std::wstring& url)>;
    using MainUrlChangeCallback = std::function<void(const CefString& oldUrl, const CefString& newUrl)>;
    using BeforePopupCallback = std::function<bool(const std::wstring& targetUrl)>;
    using LoadingStateChangeCallback = std::function<void(bool loading, bool canGoBack, bool canGoForward)>;
    using LoadStartCallback = std::function<void(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>)>;
    using LoadEndCallback = std::function<void(int httpStatusCode)>;
    using LoadErrorCallback =
        std::function<void(CefErrorCode, const CefString& errorText, const CefString& failedUrl)>;
    using BrowserCallback = std::function<void(CefRefPtr<CefBrowser>)>;
    using BeforeBrowseCallback =
        std::function<bool(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, CefRefPtr<CefRequest>, bool isRedirect)>;
    using ProtocolExecutionCallback =
        std::function<void(CefRefPtr<CefBrowser>, const CefString& url, bool& allowOsExecution)>;
    using BeforeDownloadCallback = std::function<void(CefRefPtr<CefBrowser>, CefRefPtr<CefDownloadItem>,
                                                      const CefString& suggestedName,
                                                      CefRefPtr<CefBeforeDownloadCallback>)>;
    using DownloadUpdatedCallback =
        std::function<void(CefRefPtr<CefBrowser>, CefRefPtr<CefDownloadItem>, CefRefPtr<CefDownloadItemCallback>)>;
    using FileDialogCallback =
        std::function<bool(CefFileDialogMode, const CefString& title, const CefString& defaultFilePath,
                           const std::vector<CefString>& acceptFilters, int selectedAcceptFilter,
                           CefRefPtr<CefFileDialogCallback>)>;
    using DevToolsVisibilityCallback = std::function<void(bool visible)>;

    CefControlBase() = default;
    ~CefControlBase() override;

    // Loads url in the main frame, now or once the browser exists; nothing before Init.
    void NavigateTo(const CefString& url);
    const CefString& GetUrl() const { return url_; }
    std::shared_ptr<CefJSBridge> GetBridge() const { return jsBridge_; }
    CefRefPtr<BrowserHandler> GetHandler() const { return handler_; }

    virtual void RecreateBrowser() { CreateBrowser(); }
    // Opens the developer tools of this control's browser (where is the form's choice).
    virtual bool ShowDevToolsIn(ui::Control* view) = 0;
    virtual void HideDevTools();
    virtual bool IsDevToolsShown() const { return devToolsVisible_; }
    virtual void CreateBrowser() = 0;

    // The event callbacks; set once while the window initialises, before the browser exists.
    void AttachBeforeContextMenu(BeforeContextMenuCallback callback) { onBeforeContextMenu_ = std::move(callback); }
    void AttachContextMenuCommand(ContextMenuCommandCallback callback) { onContextMenuCommand_ = std::move(callback); }
    void AttachTitleChange(TitleChangeCallback callback) { onTitleChange_ = std::move(callback); }
    void AttachBeforeResourceLoad(BeforeResourceLoadCallback callback) { onBeforeResourceLoad_ = std::move(callback); }
    void AttachUrlChange(UrlChangeCallback callback) { onUrlChange_ = std::move(callback); }
    void AttachMainUrlChange(MainUrlChangeCallback callback) { onMainUrlChange_ = std::move(callback); }
    void AttachBeforePopup(BeforePopupCallback callback) { onBeforePopup_ = std::move(callback); }
    void AttachLoadingStateChange(LoadingStateChangeCallback callback) { onLoadingStateChange_ = std::move(callback); }
    void AttachLoadStart(LoadStartCallback callback) { onLoadStart_ = std::move(callback); }
    void AttachLoadEnd(LoadEndCallback callback) { onLoadEnd_ = std::move(callback); }
    void AttachLoadError(LoadErrorCallback callback) { onLoadError_ = std::move(callback); }
    void AttachAfterCreated(BrowserCallback callback) { onAfterCreated_ = std::move(callback); }
    void AttachBeforeClose(BrowserCallback callback) { onBeforeClose_ = std::move(callback); }
    void AttachBeforeBrowse(BeforeBrowseCallback callback) { onBeforeBrowse_ = std::move(callback); }
    void AttachProtocolExecution(ProtocolExecutionCallback callback) { onProtocolExecution_ = std::move(callback); }
    void AttachBeforeDownload(BeforeDownloadCallback callback) { onBeforeDownload_ = std::move(callback); }
    void AttachDownloadUpdated(DownloadUpdatedCallback callback) { onDownloadUpdated_ = std::move(callback); }
    void AttachFileDialog(FileDialogCallback callback) { onFileDialog_ = std::move(callback); }
    void AttachDevToolsVisibility(DevToolsVisibilityCallback callback) { onDevToolsVisibility_ = std::move(callback); }

    // --- HandlerDelegate (cef_control_events.cpp) ---------------------------------------------------
    void OnPaint(CefRefPtr<CefBrowser>, CefPaintElementType, const std::vector<CefRect>&, const std::string*, int,
                 int) override {}
    void OnPopupShow(CefRefPtr<CefBrowser>, bool) override {}
    void OnPopupSize(CefRefPtr<CefBrowser>, const CefRect&) override {}
    void UpdateWindowPos() override;
    void OnBeforeContextMenu(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                             CefRefPtr<CefContextMenuParams> params, CefRefPtr<CefMenuModel> model) override;
    bool OnContextMenuCommand(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                              CefRefPtr<CefContextMenuParams> params, int commandId,
                              std::uint32_t eventFlags) override;
    void OnAddressChange(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame, const CefString& url) override;
    void OnTitleChange(CefRefPtr<CefBrowser> browser, const CefString& title) override;
    void OnLoadingStateChange(CefRefPtr<CefBrowser> browser, bool isLoading, bool canGoBack,
                              bool canGoForward) override;
    void OnLoadStart(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame) override;
    void OnLoadEnd(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame, int httpStatusCode) override;
    void OnLoadError(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame, CefErrorCode errorCode,
                     const CefString& errorText, const CefString& failedUrl) override;
    bool OnBeforePopup(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame, const CefString& targetUrl,
                       const CefString& targetFrameName, CefWindowOpenDisposition targetDisposition,
                       bool userGesture, const CefPopupFeatures& popupFeatures, CefWindowInfo& windowInfo,
                       CefRefPtr<CefClient>& client, CefBrowserSettings& settings,
                       bool* noJavascriptAccess) override;
    void OnAfterCreated(CefRefPtr<CefBrowser> browser) override;
    void OnBeforeClose(CefRefPtr<CefBrowser> browser) override;
    bool OnBeforeBrowse(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame, CefRefPtr<CefRequest> request,
                        bool isRedirect) override;
    void OnProtocolExecution(CefRefPtr<CefBrowser> browser, const CefString& url, bool& allowOsExecution) override;
    CefReturnValue OnBeforeResourceLoad(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                                        CefRefPtr<CefRequest> request,
                                        CefRefPtr<CefRequestCallback> callback) override;
    void OnRenderProcessTerminated(CefRefPtr<CefBrowser>, CefTerminationStatus) override {}
    void OnBeforeDownload(CefRefPtr<CefBrowser> browser, CefRefPtr<CefDownloadItem> item,
                          const CefString& suggestedName, CefRefPtr<CefBeforeDownloadCallback> callback) override;
    void OnDownloadUpdated(CefRefPtr<CefBrowser> browser, CefRefPtr<CefDownloadItem> item,
                           CefRefPtr<CefDownloadItemCallback> callback) override;
    bool OnFileDialog(CefRefPtr<CefBrowser> browser, CefFileDialogMode mode, const CefString& title,
                      const CefString& defaultFilePath, const std::vector<CefString>& acceptFilters,
                      int selectedAcceptFilter, CefRefPtr<CefFileDialogCallback> callback) override;
    bool OnCallCppFunction(const CefString& functionName, const CefString& parameters, int pageCallbackId,
                           CefRefPtr<CefBrowser> browser) override;
    bool OnExecuteCppCallback(int nativeCallbackId, const CefString& result) override;

protected:
    // The browser host of the main browser; null without one.
    CefRefPtr<CefBrowserHost> GetMainHost() const;
    // Makes the handler (host: the window, delegate: this) and the bridge when missing.
    void CreateHandler();
    void CreateBridge();
    // The control goes: its handler's browsers must not reach it any more.
    void DetachHandler();
    void SetDevToolsVisible(bool visible);

    CefRefPtr<BrowserHandler> handler_;
    std::shared_ptr<CefJSBridge> jsBridge_;
    CefString url_;
    bool devToolsVisible_ = false;

    BeforeContextMenuCallback onBeforeContextMenu_;
    ContextMenuCommandCallback onContextMenuCommand_;
    TitleChangeCallback onTitleChange_;
    BeforeResourceLoadCallback onBeforeResourceLoad_;
    UrlChangeCallback onUrlChange_;
    MainUrlChangeCallback onMainUrlChange_;
    BeforePopupCallback onBeforePopup_;
    LoadingStateChangeCallback onLoadingStateChange_;
    LoadStartCallback onLoadStart_;
    LoadEndCallback onLoadEnd_;
    LoadErrorCallback onLoadError_;
    BrowserCallback onAfterCreated_;
    BrowserCallback onBeforeClose_;
    BeforeBrowseCallback onBeforeBrowse_;
    ProtocolExecutionCallback onProtocolExecution_;
    BeforeDownloadCallback onBeforeDownload_;
    DownloadUpdatedCallback onDownloadUpdated_;
    FileDialogCallback onFileDialog_;
    DevToolsVisibilityCallback onDevToolsVisibility_;

    // The framework thread of the last page call; -1 when it came on another thread.
    std::atomic<int> jsCallThread_{-1};
};

}  // namespace zel_comp
