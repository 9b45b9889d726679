#pragma once

#include "browser/runtime/cef_browser.h"
#include "browser/runtime/cef_command_line.h"
#include "browser/runtime/cef_exports.h"
#include "browser/runtime/cef_ref.h"
#include "browser/runtime/cef_string.h"
#include "browser/runtime/cef_types.h"
#include "browser/runtime/cef_v8.h"
#include "browser/runtime/cef_values.h"

// The application object the launcher hands to the runtime, and the runtime's start and end.

// Where the launcher declares URL schemes of its own; it declares none.
class CefSchemeRegistrar : public virtual CefBase {};

// The browser side's process-wide events; called on the runtime's UI thread unless noted.
class CefBrowserProcessHandler : public virtual CefBase {
public:
    // The runtime has started; the cookie store can be reached.
    virtual void OnContextInitialized() {}
    // A helper sub-process is about to start with command_line.
    virtual void OnBeforeChildProcessLaunch(CefRefPtr<CefCommandLine> /*commandLine*/) {}
    // The render side is starting; extraInfo goes to its OnRenderThreadCreated.
    virtual void OnRenderProcessThreadCreated(CefRefPtr<CefListValue> /*extraInfo*/) {}
};

// The render side's events; called on the render side's main thread (TID_RENDERER).
class CefRenderProcessHandler : public virtual CefBase {
public:
    // The render side has started, with what the browser side put in extraInfo.
    virtual void OnRenderThreadCreated(CefRefPtr<CefListValue> /*extraInfo*/) {}
    // The page machinery is ready: the place to register script extensions.
    virtual void OnWebKitInitialized() {}
    // A browser exists on the render side.
    virtual void OnBrowserCreated(CefRefPtr<CefBrowser> /*browser*/) {}
    // A browser has gone from the render side.
    virtual void OnBrowserDestroyed(CefRefPtr<CefBrowser> /*browser*/) {}
    // A frame's page got its script context.
    virtual void OnContextCreated(CefRefPtr<CefBrowser> /*browser*/, CefRefPtr<CefFrame> /*frame*/,
                                  CefRefPtr<CefV8Context> /*context*/) {}
    // A frame's script context is going (its page is replaced or its browser closes).
    virtual void OnContextReleased(CefRefPtr<CefBrowser> /*browser*/, CefRefPtr<CefFrame> /*frame*/,
                                   CefRefPtr<CefV8Context> /*context*/) {}
    // The focus moved to node (null: to no node) in frame.
    virtual void OnFocusedNodeChanged(CefRefPtr<CefBrowser> /*browser*/, CefRefPtr<CefFrame> /*frame*/,
                                      CefRefPtr<CefDOMNode> /*node*/) {}
    // A message from the browser side; true when handled.
    virtual bool OnProcessMessageReceived(CefRefPtr<CefBrowser> /*browser*/, CefProcessId /*sourceProcess*/,
                                          CefRefPtr<CefProcessMessage> /*message*/) {
        return false;
    }
};

// The application: its command line, schemes and process-wide handlers.
class CefApp : public virtual CefBase {
public:
    // Before the runtime reads its switches; processType is empty for the browser side. Called
    // on the thread that starts the runtime.
    virtual void OnBeforeCommandLineProcessing(const CefString& /*processType*/, CefRefPtr<CefCommandLine> /*commandLine*/) {}
    // Declares custom schemes; called on the thread that starts the runtime.
    virtual void OnRegisterCustomSchemes(CefRefPtr<CefSchemeRegistrar> /*registrar*/) {}
    // The browser side's handler; null for none.
    virtual CefRefPtr<CefBrowserProcessHandler> GetBrowserProcessHandler() { return nullptr; }
    // The render side's handler; null for none.
    virtual CefRefPtr<CefRenderProcessHandler> GetRenderProcessHandler() { return nullptr; }
};

// Enables high-DPI awareness of the process; call before anything else of the runtime.
inline void CefEnableHighDPISupport();
// In a helper sub-process (a "--type=" switch on the process's command line) runs it to its
// end and returns its exit code (0 or more); in the browser process returns -1 at once.
inline int CefExecuteProcess(const CefMainArgs& args, CefRefPtr<CefApp> application, void* windowsSandboxInfo);
// Starts the runtime's threads and the helper sub-process with these settings; true when it
// runs. The settings need multi_threaded_message_loop set.
inline bool CefInitialize(const CefMainArgs& args, const CefSettings& settings, CefRefPtr<CefApp> application,
                   void* windowsSandboxInfo);
// Runs queued runtime work on the caller's thread; nothing with the multi-threaded loop.
inline void CefDoMessageLoopWork();
// Closes what is left, ends the threads and the helper, and releases the application. Call on
// the thread that started the runtime, after every browser has closed.
inline void CefShutdown();

inline void CefEnableHighDPISupport() { cef_enable_highdpi_support(); }

inline int CefExecuteProcess(const CefMainArgs& args, CefRefPtr<CefApp> application, void* windowsSandboxInfo) {
    return cef_execute_process(&args, application.get(), windowsSandboxInfo);
}

inline bool CefInitialize(const CefMainArgs& args, const CefSettings& settings, CefRefPtr<CefApp> application,
                          void* windowsSandboxInfo) {
    return cef_initialize(&args, &settings, application.get(), windowsSandboxInfo) != 0;
}

inline void CefDoMessageLoopWork() { cef_do_message_loop_work(); }

inline void CefShutdown() { cef_shutdown(); }
