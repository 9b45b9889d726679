// The browser handler's answers and forwards: context menu, display, page dialogs, load,
// request, download and file dialog events.
#include "browser/browser_handler.h"

namespace zel_comp {

void BrowserHandler::OnBeforeContextMenu(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, CefRefPtr<CefContextMenuParams>,
                                         CefRefPtr<CefMenuModel> model) {
    // The launcher never shows a context menu.
    if (model && model->GetCount() > 0) model->Clear();
}

bool BrowserHandler::OnContextMenuCommand(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                                          CefRefPtr<CefContextMenuParams> params, int commandId,
                                          std::uint32_t eventFlags) {
    return AskDelegate(false, [&](HandlerDelegate& delegate) {
        return delegate.OnContextMenuCommand(browser, frame, params, commandId, eventFlags);
    });
}

void BrowserHandler::OnAddressChange(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame, const CefString& url) {
    PostToDelegate([browser, frame, url](HandlerDelegate& delegate) { delegate.OnAddressChange(browser, frame, url); });
}

void BrowserHandler::OnTitleChange(CefRefPtr<CefBrowser> browser, const CefString& title) {
    PostToDelegate([browser, title](HandlerDelegate& delegate) { delegate.OnTitleChange(browser, title); });
}

bool BrowserHandler::OnConsoleMessage(CefRefPtr<CefBrowser>, const CefString&, const CefString&, int) {
    return true;
}

bool BrowserHandler::OnJSDialog(CefRefPtr<CefBrowser>, const CefString&, CefJSDialogType, const CefString&,
                                const CefString&, CefRefPtr<CefJSDialogCallback>, bool& suppressMessage) {
    suppressMessage = true;
    return false;
}

void BrowserHandler::OnLoadingStateChange(CefRefPtr<CefBrowser> browser, bool isLoading, bool canGoBack,
                                          bool canGoForward) {
    PostToDelegate([browser, isLoading, canGoBack, canGoForward](HandlerDelegate& delegate) {
        delegate.OnLoadingStateChange(browser, isLoading, canGoBack, canGoForward);
    });
}

void BrowserHandler::OnLoadStart(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame) {
    PostToDelegate([browser, frame](HandlerDelegate& delegate) { delegate.OnLoadStart(browser, frame); });
}

void BrowserHandler::OnLoadEnd(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame, int httpStatusCode) {
    PostToDelegate([browser, frame, httpStatusCode](HandlerDelegate& delegate) {
        delegate.OnLoadEnd(browser, frame, httpStatusCode);
    });
}

void BrowserHandler::OnLoadError(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame, CefErrorCode errorCode,
                                 const CefString& errorText, const CefString& failedUrl) {
    PostToDelegate([browser, frame, errorCode, errorText, failedUrl](HandlerDelegate& delegate) {
        delegate.OnLoadError(browser, frame, errorCode, errorText, failedUrl);
    });
}

bool BrowserHandler::OnBeforeBrowse(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                                    CefRefPtr<CefRequest> request, bool isRedirect) {
    return AskDelegate(false, [&](HandlerDelegate& delegate) {
        return delegate.OnBeforeBrowse(browser, frame, request, isRedirect);
    });
}

CefReturnValue BrowserHandler::OnBeforeResourceLoad(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                                                    CefRefPtr<CefRequest> request,
                                                    CefRefPtr<CefRequestCallback> callback) {
    return AskDelegate(RV_CONTINUE, [&](HandlerDelegate& delegate) {
        return delegate.OnBeforeResourceLoad(browser, frame, request, callback);
    });
}

bool BrowserHandler::OnQuotaRequest(CefRefPtr<CefBrowser>, const CefString&, std::int64_t newSize,
                                    CefRefPtr<CefRequestCallback> callback) {
    if (callback) callback->Continue(newSize <= kMaxQuotaBytes);
    return true;
}

void BrowserHandler::OnProtocolExecution(CefRefPtr<CefBrowser> browser, const CefString& url, bool& allowOsExecution) {
    AskDelegate(false, [&](HandlerDelegate& delegate) {
        delegate.OnProtocolExecution(browser, url, allowOsExecution);
        return true;
    });
}

void BrowserHandler::OnRenderProcessTerminated(CefRefPtr<CefBrowser> browser, CefTerminationStatus status) {
    PostToDelegate([browser, status](HandlerDelegate& delegate) { delegate.OnRenderProcessTerminated(browser, status); });
}

void BrowserHandler::OnBeforeDownload(CefRefPtr<CefBrowser> browser, CefRefPtr<CefDownloadItem> item,
                                      const CefString& suggestedName, CefRefPtr<CefBeforeDownloadCallback> callback) {
    AskDelegate(false, [&](HandlerDelegate& delegate) {
        delegate.OnBeforeDownload(browser, item, suggestedName, callback);
        return true;
    });
}

void BrowserHandler::OnDownloadUpdated(CefRefPtr<CefBrowser> browser, CefRefPtr<CefDownloadItem> item,
                                       CefRefPtr<CefDownloadItemCallback> callback) {
    AskDelegate(false, [&](HandlerDelegate& delegate) {
        delegate.OnDownloadUpdated(browser, item, callback);
        return true;
    });
}

bool BrowserHandler::OnFileDialog(CefRefPtr<CefBrowser> browser, CefFileDialogMode mode, const CefString& title,
                                  const CefString& defaultFilePath, const std::vector<CefString>& acceptFilters,
                                  int selectedAcceptFilter, CefRefPtr<CefFileDialogCallback> callback) {
    return AskDelegate(false, [&](HandlerDelegate& delegate) {
        return delegate.OnFileDialog(browser, mode, title, defaultFilePath, acceptFilters, selectedAcceptFilter,
                                     callback);
    });
}

}  // namespace zel_comp
