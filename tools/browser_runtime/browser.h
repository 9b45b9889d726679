#pragma once

#include <windows.h>

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "browser/runtime/cef_app.h"
#include "browser/runtime/cef_client.h"
#include "tools/browser_runtime/frame_painter.h"
#include "tools/browser_runtime/ref_counted.h"
#include "tools/browser_runtime/script_values.h"
#include "tools/browser_runtime/values.h"

class Browser;

// A browser's only frame.
class Frame final : public RefCounted<CefFrame> {
public:
    explicit Frame(CefRefPtr<Browser> browser);

    void LoadURL(const CefString& url) override;
    CefString GetURL() override;
    bool IsMain() override { return true; }
    std::int64_t GetIdentifier() override { return id_; }
    CefRefPtr<CefBrowser> GetBrowser() override;
    CefRefPtr<CefV8Context> GetV8Context() override;

    void SetURL(const CefString& url);

private:
    const std::int64_t id_;
    const CefRefPtr<Browser> browser_;
    std::mutex lock_;
    CefString url_;
};

// A browser and its host. Its page state lives on the UI thread, its script context on the
// render thread; the public operations queue work there.
class Browser final : public RefCounted<CefBrowser, CefBrowserHost> {
public:
    // Makes a browser and queues its creation (and the load of url) to the UI thread.
    static CefRefPtr<Browser> Create(const CefWindowInfo& windowInfo, CefRefPtr<CefClient> client, const CefString& url,
                                     bool devTools);

    // CefBrowser
    CefRefPtr<CefBrowserHost> GetHost() override { return this; }
    int GetIdentifier() override { return id_; }
    bool IsSame(CefRefPtr<CefBrowser> that) override { return that.get() == static_cast<CefBrowser*>(this); }
    CefRefPtr<CefFrame> GetMainFrame() override;
    CefRefPtr<CefFrame> GetFrame(std::int64_t identifier) override;
    void Reload() override;
    bool IsLoading() override;
    bool SendProcessMessage(CefProcessId targetProcess, CefRefPtr<CefProcessMessage> message) override;

    // CefBrowserHost
    CefRefPtr<CefBrowser> GetBrowser() override { return this; }
    CefRefPtr<CefClient> GetClient() override { return client_; }
    HWND GetWindowHandle() override;
    void CloseBrowser(bool force) override;
    void SetFocus(bool focus) override;
    void WasResized() override;
    void WasHidden(bool hidden) override;
    void Invalidate(CefPaintElementType type) override;
    void SendKeyEvent(const CefKeyEvent& event) override;
    void SendMouseClickEvent(const CefMouseEvent& event, CefMouseButtonType type, bool mouseUp, int clickCount) override;
    void SendMouseMoveEvent(const CefMouseEvent& event, bool mouseLeave) override;
    void SendMouseWheelEvent(const CefMouseEvent& event, int deltaX, int deltaY) override;
    void SendFocusEvent(bool setFocus) override;
    void SendCaptureLostEvent() override;
    void ShowDevTools(const CefWindowInfo& windowInfo, CefRefPtr<CefClient> client, const CefBrowserSettings& settings,
                      const CefPoint& inspectElementAt) override;
    void CloseDevTools() override;

    // Loads url on the UI thread (the frame's LoadURL queues this).
    void Navigate(const CefString& url);
    // Closes at once on the UI thread.
    void CloseNow(bool force);
    // The page as painted now (UI thread).
    FrameLook Look();

    // What the test driver makes the page do, each on the thread a real page would.
    void OpenPopup(const CefString& url);                          // UI
    void RequestDownload(const CefString& url, const CefString& suggestedName);  // UI
    void ShowPopupWidget(bool show, const CefRect& rect);          // UI
    void OpenScriptDialog(CefJSDialogType type, const CefString& message);  // UI
    void WriteConsole(const CefString& text);                      // UI
    void RequestQuota(std::int64_t bytes);                         // UI
    void OpenFileDialog(CefFileDialogMode mode, const CefString& title);  // UI
    void CrashRenderSide();                                        // UI
    void FocusNode(int editable);                                  // render
    void CallNative(const std::string& objectName, const std::string& functionName, const std::string& argumentsJson);  // render

    // Render side (render thread).
    void RenderBrowserCreated();
    void RenderPageCommitted();
    void RenderBrowserDestroyed();
    void RenderReceive(CefRefPtr<ProcessMessage> message);
    CefRefPtr<ScriptContext> RenderContext() { return context_; }

private:
    Browser(int id, const CefWindowInfo& windowInfo, CefRefPtr<CefClient> client, bool devTools);

    void Created(const CefString& url);
    void StartLoad(const CefString& url, int generation);
    void FetchPage(const std::string& url, int generation);
    void PageArrived(int generation, bool ok, long status, const std::string& finalUrl, const std::string& body,
                     const std::string& error);
    void FinishLoad(int generation, const CefString& url, int status, const FrameLook& look);
    void FailLoad(int generation, CefErrorCode code, const std::string& text, const CefString& url);
    void SetLoading(bool loading);
    void ReleaseContext(CefRefPtr<CefRenderProcessHandler> handler, CefRefPtr<CefFrame> frame);
    void PaintView();
    void PaintPopupWidget();
    void CreateNativeWindow();
    bool Closed();
    std::string Name() const;

    const int id_;
    const CefRefPtr<CefClient> client_;
    const CefWindowInfo windowInfo_;
    const bool devTools_;
    CefRefPtr<Frame> frame_;  // holds the browser: dropped when the browser has closed

    std::mutex lock_;
    bool closed_ = false;  // with frame_ below this lock
    bool loading_ = false;
    HWND window_ = nullptr;

    // UI thread.
    int generation_ = 0;
    bool hidden_ = false;
    bool cursorShown_ = false;
    FrameLook look_;
    std::vector<CefString> history_;
    CefRect popupWidget_;
    CefRefPtr<Browser> devToolsBrowser_;

    // Render thread.
    CefRefPtr<ScriptContext> context_;
};
