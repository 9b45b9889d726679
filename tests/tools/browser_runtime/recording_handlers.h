#pragma once

#include <windows.h>

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "browser/runtime/cef_runtime.h"

// Handlers that note what the runtime tells them, as "name args" lines, and on which thread.
class Recorder {
public:
    void Note(const std::string& line);
    std::vector<std::string> Lines();
    // Waits (at most 10 s) until a noted line starts with prefix; true when one did.
    bool WaitFor(const std::string& prefix);
    // True when every noted line that starts with prefix was noted on that runtime thread.
    bool AllOn(const std::string& prefix, CefThreadId thread);

private:
    std::mutex lock_;
    std::condition_variable changed_;
    std::vector<std::string> lines_;
    std::vector<std::pair<std::string, int>> threads_;  // line, thread mask
};

// The browser side: load, display, life span, render, request and download events.
class RecordingClient final : public CefClient,
                              public CefLifeSpanHandler,
                              public CefLoadHandler,
                              public CefDisplayHandler,
                              public CefRenderHandler,
                              public CefRequestHandler,
                              public CefDownloadHandler {
public:
    explicit RecordingClient(Recorder& recorder) : recorder_(recorder) {}

    CefRefPtr<CefLifeSpanHandler> GetLifeSpanHandler() override { return this; }
    CefRefPtr<CefLoadHandler> GetLoadHandler() override { return this; }
    CefRefPtr<CefDisplayHandler> GetDisplayHandler() override { return this; }
    CefRefPtr<CefRenderHandler> GetRenderHandler() override { return this; }
    CefRefPtr<CefRequestHandler> GetRequestHandler() override { return this; }
    CefRefPtr<CefDownloadHandler> GetDownloadHandler() override { return this; }
    bool OnProcessMessageReceived(CefRefPtr<CefBrowser> browser, CefProcessId source,
                                  CefRefPtr<CefProcessMessage> message) override;

    bool OnBeforePopup(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, const CefString& targetUrl, const CefString&,
                       CefWindowOpenDisposition, bool, const CefPopupFeatures&, CefWindowInfo&, CefRefPtr<CefClient>&,
                       CefBrowserSettings&, bool*) override;
    void OnAfterCreated(CefRefPtr<CefBrowser> browser) override;
    void OnBeforeClose(CefRefPtr<CefBrowser> browser) override;
    void OnLoadingStateChange(CefRefPtr<CefBrowser>, bool isLoading, bool, bool) override;
    void OnLoadStart(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>) override;
    void OnLoadEnd(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, int status) override;
    void OnLoadError(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, CefErrorCode code, const CefString&,
                     const CefString& url) override;
    void OnAddressChange(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, const CefString& url) override;
    void OnTitleChange(CefRefPtr<CefBrowser>, const CefString& title) override;
    bool GetViewRect(CefRefPtr<CefBrowser>, CefRect& rect) override;
    void OnPaint(CefRefPtr<CefBrowser>, CefPaintElementType type, const std::vector<CefRect>&, const void* buffer,
                 int width, int height) override;
    CefReturnValue OnBeforeResourceLoad(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, CefRefPtr<CefRequest> request,
                                        CefRefPtr<CefRequestCallback>) override;
    void OnBeforeDownload(CefRefPtr<CefBrowser>, CefRefPtr<CefDownloadItem> item, const CefString& suggestedName,
                          CefRefPtr<CefBeforeDownloadCallback> callback) override;
    void OnDownloadUpdated(CefRefPtr<CefBrowser>, CefRefPtr<CefDownloadItem> item,
                           CefRefPtr<CefDownloadItemCallback>) override;

    // Answers the handler questions give.
    CefReturnValue resourceAnswer = RV_CONTINUE;
    bool cancelPopups = false;
    std::wstring downloadFolder;  // where downloads go; empty: they are not started

    // The first browser created, and the last view frame (BGRA) with its size.
    CefRefPtr<CefBrowser> Browser();
    std::vector<std::uint8_t> Frame(int& width, int& height);

    void AddRef() const override { count_.AddRef(); }
    bool Release() const override;
    bool HasOneRef() const override { return count_.HasOneRef(); }

private:
    Recorder& recorder_;
    std::mutex lock_;
    CefRefPtr<CefBrowser> browser_;
    std::vector<std::uint8_t> frame_;
    int width_ = 0;
    int height_ = 0;
    CefRefCount count_;
};

// The application with both process handlers: the render side answers "Ping" with "Pong" and
// registers the extension "Bridge" whose native "call" sends "CallCpp" and whose answer
// ("Answer") reaches the page's callback through the page's JSON.parse.
class RecordingApp final : public CefApp, public CefBrowserProcessHandler, public CefRenderProcessHandler {
public:
    explicit RecordingApp(Recorder& recorder) : recorder_(recorder) {}

    void OnBeforeCommandLineProcessing(const CefString& processType, CefRefPtr<CefCommandLine> commandLine) override;
    void OnRegisterCustomSchemes(CefRefPtr<CefSchemeRegistrar>) override;
    CefRefPtr<CefBrowserProcessHandler> GetBrowserProcessHandler() override { return this; }
    CefRefPtr<CefRenderProcessHandler> GetRenderProcessHandler() override { return this; }
    void OnContextInitialized() override;
    void OnRenderThreadCreated(CefRefPtr<CefListValue>) override;
    void OnWebKitInitialized() override;
    void OnContextCreated(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, CefRefPtr<CefV8Context>) override;
    void OnContextReleased(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame> frame, CefRefPtr<CefV8Context> context) override;
    void OnFocusedNodeChanged(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, CefRefPtr<CefDOMNode> node) override;
    bool OnProcessMessageReceived(CefRefPtr<CefBrowser> browser, CefProcessId source,
                                  CefRefPtr<CefProcessMessage> message) override;

    void AddRef() const override { count_.AddRef(); }
    bool Release() const override;
    bool HasOneRef() const override { return count_.HasOneRef(); }

private:
    friend class BridgeHandler;
    Recorder& recorder_;
    // Render thread only: the page callbacks waiting for an answer.
    std::vector<std::pair<CefRefPtr<CefV8Context>, CefRefPtr<CefV8Value>>> pending_;
    CefRefCount count_;
};
