#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/lock.h"
#include "base/weak_callback.h"
#include "browser/ref_counted.h"
#include "browser/runtime/cef_client.h"
#include "browser/unregisted_callback_list.h"

namespace zel_comp {

// The client a browser control gives the runtime for its browsers. The runtime calls it on its
// own UI thread; it settles popups, context menus, page dialogs, console output and storage
// quota itself, keeps the browsers created through it (the newest is the main browser), posts
// notifications to thread 0 and asks the delegate (the control) directly what needs an answer.
//
// Shared members are guarded: the browsers, host and view bounds by one lock, the delegate by
// another that is also held while it is asked, the frames by a third. None is held while the
// handler waits for thread 0.
class BrowserHandler : public CefClient,
                       public CefLifeSpanHandler,
                       public CefRenderHandler,
                       public CefContextMenuHandler,
                       public CefDisplayHandler,
                       public CefDragHandler,
                       public CefGeolocationHandler,
                       public CefJSDialogHandler,
                       public CefKeyboardHandler,
                       public CefLoadHandler,
                       public CefRequestHandler,
                       public CefDownloadHandler,
                       public CefDialogHandler,
                       public RefCounted<BrowserHandler> {
public:
    // What the control learns and answers. Notifications arrive on thread 0 as weak callbacks
    // of the delegate; questions (OnContextMenuCommand, OnBeforePopup, OnBeforeBrowse,
    // OnProtocolExecution, OnBeforeResourceLoad, OnBeforeDownload, OnDownloadUpdated,
    // OnFileDialog and the two bridge calls) on the runtime's UI thread.
    class HandlerDelegate : public virtual kbase::SupportWeakCallback {
    public:
        virtual void OnPaint(CefRefPtr<CefBrowser> browser, CefPaintElementType type,
                             const std::vector<CefRect>& dirtyRects, const std::string* buffer, int width,
                             int height) = 0;
        virtual void OnPopupShow(CefRefPtr<CefBrowser> browser, bool show) = 0;
        virtual void OnPopupSize(CefRefPtr<CefBrowser> browser, const CefRect& rect) = 0;
        virtual void UpdateWindowPos() = 0;
        virtual void OnBeforeContextMenu(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                                         CefRefPtr<CefContextMenuParams> params, CefRefPtr<CefMenuModel> model) = 0;
        virtual bool OnContextMenuCommand(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                                          CefRefPtr<CefContextMenuParams> params, int commandId,
                                          std::uint32_t eventFlags) = 0;
        virtual void OnAddressChange(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                                     const CefString& url) = 0;
        virtual void OnTitleChange(CefRefPtr<CefBrowser> browser, const CefString& title) = 0;
        virtual void OnLoadingStateChange(CefRefPtr<CefBrowser> browser, bool isLoading, bool canGoBack,
                                          bool canGoForward) = 0;
        virtual void OnLoadStart(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame) = 0;
        virtual void OnLoadEnd(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame, int httpStatusCode) = 0;
        virtual void OnLoadError(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame, CefErrorCode errorCode,
                                 const CefString& errorText, const CefString& failedUrl) = 0;
        // True lets targetUrl load in the main browser.
        virtual bool OnBeforePopup(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                                   const CefString& targetUrl, const CefString& targetFrameName,
                                   CefWindowOpenDisposition targetDisposition, bool userGesture,
                                   const CefPopupFeatures& popupFeatures, CefWindowInfo& windowInfo,
                                   CefRefPtr<CefClient>& client, CefBrowserSettings& settings,
                                   bool* noJavascriptAccess) = 0;
        virtual void OnAfterCreated(CefRefPtr<CefBrowser> browser) = 0;
        virtual void OnBeforeClose(CefRefPtr<CefBrowser> browser) = 0;
        virtual bool OnBeforeBrowse(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                                    CefRefPtr<CefRequest> request, bool isRedirect) = 0;
        virtual void OnProtocolExecution(CefRefPtr<CefBrowser> browser, const CefString& url,
                                         bool& allowOsExecution) = 0;
        virtual CefReturnValue OnBeforeResourceLoad(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                                                    CefRefPtr<CefRequest> request,
                                                    CefRefPtr<CefRequestCallback> callback) = 0;
        virtual void OnRenderProcessTerminated(CefRefPtr<CefBrowser> browser, CefTerminationStatus status) = 0;
        virtual void OnBeforeDownload(CefRefPtr<CefBrowser> browser, CefRefPtr<CefDownloadItem> item,
                                      const CefString& suggestedName,
                                      CefRefPtr<CefBeforeDownloadCallback> callback) = 0;
        virtual void OnDownloadUpdated(CefRefPtr<CefBrowser> browser, CefRefPtr<CefDownloadItem> item,
                                       CefRefPtr<CefDownloadItemCallback> callback) = 0;
        virtual bool OnFileDialog(CefRefPtr<CefBrowser> browser, CefFileDialogMode mode, const CefString& title,
                                  const CefString& defaultFilePath, const std::vector<CefString>& acceptFilters,
                                  int selectedAcceptFilter, CefRefPtr<CefFileDialogCallback> callback) = 0;
        virtual bool OnCallCppFunction(const CefString& functionName, const CefString& parameters,
                                       int pageCallbackId, CefRefPtr<CefBrowser> browser) = 0;
        virtual bool OnExecuteCppCallback(int nativeCallbackId, const CefString& result) = 0;
    };

    // The largest storage a page is granted: 20 MiB.
    static constexpr std::int64_t kMaxQuotaBytes = 20 * 1024 * 1024;

    BrowserHandler();
    BrowserHandler(const BrowserHandler&) = delete;
    BrowserHandler& operator=(const BrowserHandler&) = delete;

    // --- the control's operations, on thread 0 ---------------------------------------------------
    void SetHost(HWND host);
    // Null detaches the control for good: a browser that arrives later is closed at once.
    void SetDelegate(HandlerDelegate* delegate);
    CefRefPtr<CefBrowser> GetMainBrowser();
    // Stores the control's rectangle on the runtime's UI thread (posting itself there from any
    // other) and tells the main browser that it was resized.
    void SetViewBounds(RECT bounds);
    // Runs closure once after the next browser of this handler has been created; the result
    // cancels it.
    std::function<void()> QueueAfterCreatedTask(const std::function<void()>& closure);
    // Force-closes every browser of the handler on the runtime's UI thread.
    void CloseAllBrowser();
    bool IsFocusedNodeEditable();

    // --- CefClient ---------------------------------------------------------------------------
    CefRefPtr<CefContextMenuHandler> GetContextMenuHandler() override { return this; }
    CefRefPtr<CefDialogHandler> GetDialogHandler() override { return this; }
    CefRefPtr<CefDisplayHandler> GetDisplayHandler() override { return this; }
    CefRefPtr<CefDownloadHandler> GetDownloadHandler() override { return this; }
    CefRefPtr<CefDragHandler> GetDragHandler() override { return this; }
    CefRefPtr<CefGeolocationHandler> GetGeolocationHandler() override { return this; }
    CefRefPtr<CefJSDialogHandler> GetJSDialogHandler() override { return this; }
    CefRefPtr<CefKeyboardHandler> GetKeyboardHandler() override { return this; }
    CefRefPtr<CefLifeSpanHandler> GetLifeSpanHandler() override { return this; }
    CefRefPtr<CefLoadHandler> GetLoadHandler() override { return this; }
    CefRefPtr<CefRenderHandler> GetRenderHandler() override { return this; }
    CefRefPtr<CefRequestHandler> GetRequestHandler() override { return this; }
    bool OnProcessMessageReceived(CefRefPtr<CefBrowser> browser, CefProcessId sourceProcess,
                                  CefRefPtr<CefProcessMessage> message) override;

    // --- life span ------------------------------------------------------------------------------
    bool OnBeforePopup(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame, const CefString& targetUrl,
                       const CefString& targetFrameName, CefWindowOpenDisposition targetDisposition,
                       bool userGesture, const CefPopupFeatures& popupFeatures, CefWindowInfo& windowInfo,
                       CefRefPtr<CefClient>& client, CefBrowserSettings& settings,
                       bool* noJavascriptAccess) override;
    void OnAfterCreated(CefRefPtr<CefBrowser> browser) override;
    void OnBeforeClose(CefRefPtr<CefBrowser> browser) override;

    // --- render (browser_handler_render.cpp) -------------------------------------------------------
    bool GetRootScreenRect(CefRefPtr<CefBrowser> browser, CefRect& rect) override;
    bool GetViewRect(CefRefPtr<CefBrowser> browser, CefRect& rect) override;
    bool GetScreenPoint(CefRefPtr<CefBrowser> browser, int viewX, int viewY, int& screenX, int& screenY) override;
    void OnPopupShow(CefRefPtr<CefBrowser> browser, bool show) override;
    void OnPopupSize(CefRefPtr<CefBrowser> browser, const CefRect& rect) override;
    void OnPaint(CefRefPtr<CefBrowser> browser, CefPaintElementType type, const std::vector<CefRect>& dirtyRects,
                 const void* buffer, int width, int height) override;
    void OnCursorChange(CefRefPtr<CefBrowser> browser, HCURSOR cursor) override;

    // --- context menu, display, page dialogs (browser_handler_events.cpp) ---------------------------
    void OnBeforeContextMenu(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                             CefRefPtr<CefContextMenuParams> params, CefRefPtr<CefMenuModel> model) override;
    bool OnContextMenuCommand(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                              CefRefPtr<CefContextMenuParams> params, int commandId,
                              std::uint32_t eventFlags) override;
    void OnAddressChange(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame, const CefString& url) override;
    void OnTitleChange(CefRefPtr<CefBrowser> browser, const CefString& title) override;
    bool OnConsoleMessage(CefRefPtr<CefBrowser> browser, const CefString& message, const CefString& source,
                          int line) override;
    bool OnJSDialog(CefRefPtr<CefBrowser> browser, const CefString& originUrl, CefJSDialogType dialogType,
                    const CefString& messageText, const CefString& defaultPromptText,
                    CefRefPtr<CefJSDialogCallback> callback, bool& suppressMessage) override;

    // --- load, request, download, file dialog (browser_handler_events.cpp) -------------------------
    void OnLoadingStateChange(CefRefPtr<CefBrowser> browser, bool isLoading, bool canGoBack,
                              bool canGoForward) override;
    void OnLoadStart(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame) override;
    void OnLoadEnd(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame, int httpStatusCode) override;
    void OnLoadError(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame, CefErrorCode errorCode,
                     const CefString& errorText, const CefString& failedUrl) override;
    bool OnBeforeBrowse(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame, CefRefPtr<CefRequest> request,
                        bool isRedirect) override;
    CefReturnValue OnBeforeResourceLoad(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                                        CefRefPtr<CefRequest> request,
                                        CefRefPtr<CefRequestCallback> callback) override;
    bool OnQuotaRequest(CefRefPtr<CefBrowser> browser, const CefString& originUrl, std::int64_t newSize,
                        CefRefPtr<CefRequestCallback> callback) override;
    void OnProtocolExecution(CefRefPtr<CefBrowser> browser, const CefString& url, bool& allowOsExecution) override;
    void OnRenderProcessTerminated(CefRefPtr<CefBrowser> browser, CefTerminationStatus status) override;
    void OnBeforeDownload(CefRefPtr<CefBrowser> browser, CefRefPtr<CefDownloadItem> item,
                          const CefString& suggestedName, CefRefPtr<CefBeforeDownloadCallback> callback) override;
    void OnDownloadUpdated(CefRefPtr<CefBrowser> browser, CefRefPtr<CefDownloadItem> item,
                           CefRefPtr<CefDownloadItemCallback> callback) override;
    bool OnFileDialog(CefRefPtr<CefBrowser> browser, CefFileDialogMode mode, const CefString& title,
                      const CefString& defaultFilePath, const std::vector<CefString>& acceptFilters,
                      int selectedAcceptFilter, CefRefPtr<CefFileDialogCallback> callback) override;

private:
    friend class RefCounted<BrowserHandler>;
    ~BrowserHandler() override;

    // The latest frame of one element (view or popup), kept until the next replaces it.
    struct Frame {
        std::string pixels;  // grows to the largest frame + 1, never shrinks
        int width = 0;
        int height = 0;
    };

    // Posts call(delegate) to thread 0, where it runs while the delegate lives; nothing
    // without a delegate.
    void PostToDelegate(std::function<void(HandlerDelegate&)> call);
    // ask(delegate) on this thread with the delegate held; fallback without one.
    template <class Result, class Ask>
    Result AskDelegate(Result fallback, Ask&& ask) {
        kbase::AutoLock guard(delegateLock_);
        return delegate_ ? ask(*delegate_) : fallback;
    }
    HWND GetHost();
    // Thread 0, for each browser the runtime reports.
    void RunCreatedTask(CefRefPtr<CefBrowser> browser);
    void RunClosedTask(CefRefPtr<CefBrowser> browser);
    // Thread 0: hands the latest frame of type to the delegate.
    void DeliverFrame(CefRefPtr<CefBrowser> browser, CefPaintElementType type, const std::vector<CefRect>& dirtyRects);

    kbase::Lock lock_;  // browsers_, mainBrowser_, host_, viewBounds_, focusedNodeEditable_
    CefRefPtr<CefBrowser> mainBrowser_;
    std::vector<CefRefPtr<CefBrowser>> browsers_;
    HWND host_ = nullptr;
    RECT viewBounds_{0, 0, 0, 0};
    bool focusedNodeEditable_ = false;

    kbase::Lock delegateLock_;  // delegate_, delegateFlag_, detached_; held while asking
    HandlerDelegate* delegate_ = nullptr;
    std::weak_ptr<kbase::WeakFlag> delegateFlag_;
    bool detached_ = false;

    kbase::Lock paintLock_;  // frames_
    std::array<Frame, 2> frames_;  // by CefPaintElementType

    UnregistedCallbackList<std::function<void()>> afterCreatedTasks_;  // thread 0 only
};

}  // namespace zel_comp
