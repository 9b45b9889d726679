#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "browser/runtime/cef_app.h"
#include "browser/runtime/cef_types.h"
#include "tools/browser_runtime/task_thread.h"

class Browser;

// The running runtime: its threads, the application's handlers, its browsers and extensions.
namespace runtime {

// What the settings asked for, read by the threads.
struct Options {
    std::string userAgent;
    std::string locale;
    bool windowlessAllowed = false;
};

// Starts the runtime (the caller's thread is the one that must shut it down); false when the
// settings are refused or the helper does not start.
bool Start(const CefMainArgs& args, const CefSettings& settings, CefRefPtr<CefApp> application);
// Closes the browsers left, ends the threads and the helper.
void Stop();
bool IsRunning();
const Options& GetOptions();

// The thread for a CefThreadId; null when unknown or not running.
TaskThread* Thread(int threadId);
TaskThread& Ui();
TaskThread& Io();
TaskThread& Render();
// Set while the runtime stops: transfers end.
const std::atomic<bool>& StopFlag();

CefRefPtr<CefBrowserProcessHandler> BrowserProcessHandler();
CefRefPtr<CefRenderProcessHandler> RenderProcessHandler();

void AddBrowser(CefRefPtr<Browser> browser);
void RemoveBrowser(int id);
CefRefPtr<Browser> FindBrowser(int id);
std::vector<CefRefPtr<Browser>> Browsers();
// A new identifier for a browser, frame or download.
int NextId();

// Script extensions (render thread).
struct Extension {
    CefString name;
    CefString code;
    CefRefPtr<CefV8Handler> handler;
};
bool RegisterExtension(Extension extension);
// The extension whose code defines objectName and declares the native function; null when none.
const Extension* FindExtension(const std::string& objectName, const std::string& functionName);

}  // namespace runtime
