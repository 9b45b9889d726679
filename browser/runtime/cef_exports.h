#pragma once

#include <cstdint>

// The C entry points of zel_libcef.dll, which the launcher delay-loads: the first call loads the
// library through the search path, so the launcher makes one only after a probe LoadLibraryW of
// "zel_libcef.dll" has succeeded (the cef folder first in PATH). The C++ functions of the other
// runtime headers call these; code uses those. Objects returned here carry one reference for the
// caller; objects passed in are referenced by the runtime as long as it keeps them.

class CefApp;
struct CefBrowserSettings;
class CefClient;
class CefCompletionCallback;
class CefCookieManager;
struct CefMainArgs;
class CefProcessMessage;
class CefRequestContext;
struct CefSettings;
class CefString;
class CefTask;
class CefV8Context;
class CefV8Handler;
class CefV8Value;
struct CefWindowInfo;

extern "C" {
void cef_enable_highdpi_support();
int cef_execute_process(const CefMainArgs* args, CefApp* application, void* windowsSandboxInfo);
int cef_initialize(const CefMainArgs* args, const CefSettings* settings, CefApp* application, void* windowsSandboxInfo);
void cef_do_message_loop_work();
void cef_shutdown();
int cef_post_task(int threadId, CefTask* task);
int cef_currently_on(int threadId);
int cef_browser_host_create_browser(const CefWindowInfo* windowInfo, CefClient* client, const CefString* url,
                                    const CefBrowserSettings* settings, CefRequestContext* requestContext);
CefCookieManager* cef_cookie_manager_get_global_manager(CefCompletionCallback* callback);
int cef_register_extension(const CefString* name, const CefString* code, CefV8Handler* handler);
CefV8Context* cef_v8context_get_current_context();
CefProcessMessage* cef_process_message_create(const CefString* name);
CefV8Value* cef_v8value_create_undefined();
CefV8Value* cef_v8value_create_null();
CefV8Value* cef_v8value_create_bool(int value);
CefV8Value* cef_v8value_create_int(std::int32_t value);
CefV8Value* cef_v8value_create_double(double value);
CefV8Value* cef_v8value_create_string(const CefString* value);
CefV8Value* cef_v8value_create_object();
CefV8Value* cef_v8value_create_array(int length);
CefV8Value* cef_v8value_create_function(const CefString* name, CefV8Handler* handler);
}
