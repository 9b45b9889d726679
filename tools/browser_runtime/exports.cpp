// The C entry points of zel_libcef.dll (browser/runtime/cef_exports.h).

#include <windows.h>

#include "browser/runtime/cef_runtime.h"
#include "tools/browser_runtime/browser.h"
#include "tools/browser_runtime/command_line.h"
#include "tools/browser_runtime/helper_process.h"
#include "tools/browser_runtime/journal.h"
#include "tools/browser_runtime/runtime.h"
#include "tools/browser_runtime/script_values.h"
#include "tools/browser_runtime/values.h"

namespace {

const char* ThreadName(int threadId) {
    switch (threadId) {
    case TID_UI:
        return "TID_UI";
    case TID_IO:
        return "TID_IO";
    case TID_RENDERER:
        return "TID_RENDERER";
    default:
        return "unknown thread";
    }
}

class CookieManager final : public RefCounted<CefCookieManager> {
public:
    void SetSupportedSchemes(const std::vector<CefString>& schemes, CefRefPtr<CefCompletionCallback> callback) override {
        std::string names;
        for (const CefString& scheme : schemes) names += (names.empty() ? "" : ", ") + scheme.ToString();
        journal::Write("cookie manager: SetSupportedSchemes(" + names + ")");
        if (callback) runtime::Ui().Post([callback] { callback->OnComplete(); });
    }
};

}  // namespace

extern "C" {

void cef_enable_highdpi_support() {
    journal::Write("cef_enable_highdpi_support");
    ::SetProcessDPIAware();
}

int cef_execute_process(const CefMainArgs* args, CefApp* application, void*) {
    CefRefPtr<CommandLine> commandLine = CommandLine::FromText(::GetCommandLineW());
    const CefString type = commandLine->GetSwitchValue("type");
    if (type.empty()) {
        journal::Write("cef_execute_process: the browser process (-1)");
        return -1;
    }
    journal::Open(commandLine->GetSwitchValue("log-file").ToWString());
    journal::NameThread("helper");
    journal::Write("cef_execute_process: a " + type.ToString() + " sub-process of module " +
                   std::to_string(reinterpret_cast<std::uintptr_t>(args ? args->instance : nullptr)));
    if (application) {
        journal::Write("-> OnBeforeCommandLineProcessing(\"" + type.ToString() + "\")");
        application->OnBeforeCommandLineProcessing(type, commandLine.get());
    }
    const int code = helper_process::Run(commandLine);
    journal::Write("cef_execute_process: ends with " + std::to_string(code));
    journal::Close();
    return code;
}

int cef_initialize(const CefMainArgs* args, const CefSettings* settings, CefApp* application, void*) {
    journal::Write("cef_initialize");
    if (!args || !settings || settings->size != sizeof(CefSettings)) {
        journal::Write("cef_initialize: refused: no arguments or a settings record of another size");
        return 0;
    }
    return runtime::Start(*args, *settings, application) ? 1 : 0;
}

void cef_do_message_loop_work() {
    journal::Write("cef_do_message_loop_work: nothing to do (the runtime runs its own threads)");
}

void cef_shutdown() {
    journal::Write("cef_shutdown");
    runtime::Stop();
    journal::Write("cef_shutdown: done");
    journal::Close();
}

int cef_post_task(int threadId, CefTask* task) {
    CefRefPtr<CefTask> held(task);
    TaskThread* thread = runtime::Thread(threadId);
    const bool posted = held && thread && thread->Post([held] { held->Execute(); });
    journal::Write(std::string("cef_post_task(") + ThreadName(threadId) + ")" + (posted ? "" : ": dropped"));
    return posted ? 1 : 0;
}

int cef_currently_on(int threadId) {
    TaskThread* thread = runtime::Thread(threadId);
    const bool on = thread && thread->IsCurrent();
    journal::Write(std::string("cef_currently_on(") + ThreadName(threadId) + "): " + (on ? "yes" : "no"));
    return on ? 1 : 0;
}

int cef_browser_host_create_browser(const CefWindowInfo* windowInfo, CefClient* client, const CefString* url,
                                    const CefBrowserSettings*, CefRequestContext* requestContext) {
    journal::Write("cef_browser_host_create_browser(" + (url ? url->ToString() : std::string()) + ")");
    if (!windowInfo || !runtime::IsRunning() || requestContext) {
        journal::Write("   refused: " + std::string(!windowInfo ? "no window information"
                                                   : requestContext ? "the stand-in has no other request context"
                                                                    : "the runtime does not run"));
        return 0;
    }
    if (windowInfo->windowless_rendering_enabled && !runtime::GetOptions().windowlessAllowed) {
        journal::Write("   refused: off-screen rendering is not enabled in the settings");
        return 0;
    }
    Browser::Create(*windowInfo, client, url ? *url : CefString(), false);
    return 1;
}

CefCookieManager* cef_cookie_manager_get_global_manager(CefCompletionCallback* callback) {
    journal::Write("cef_cookie_manager_get_global_manager");
    static CefRefPtr<CookieManager> manager = new CookieManager();
    if (CefRefPtr<CefCompletionCallback> held = callback) runtime::Ui().Post([held] { held->OnComplete(); });
    return Handed<CefCookieManager>(manager.get());
}

int cef_register_extension(const CefString* name, const CefString* code, CefV8Handler* handler) {
    journal::Write("cef_register_extension(" + (name ? name->ToString() : std::string()) + ", " +
                   std::to_string(code ? code->length() : 0) + " characters)");
    if (!name || !code || !runtime::Render().IsCurrent()) {
        journal::Write("   refused: extensions are registered on the render thread");
        return 0;
    }
    return runtime::RegisterExtension(runtime::Extension{*name, *code, handler}) ? 1 : 0;
}

CefV8Context* cef_v8context_get_current_context() {
    CefRefPtr<ScriptContext> context = ScriptContext::Current();
    journal::Write(std::string("cef_v8context_get_current_context: ") + (context ? "a context" : "none"));
    return Handed<CefV8Context>(context.get());
}

CefProcessMessage* cef_process_message_create(const CefString* name) {
    journal::Write("cef_process_message_create(" + (name ? name->ToString() : std::string()) + ")");
    return Handed<CefProcessMessage>(new ProcessMessage(name ? *name : CefString()));
}

CefV8Value* cef_v8value_create_undefined() {
    return Handed<CefV8Value>(new ScriptValue(ScriptValue::Kind::Undefined));
}
CefV8Value* cef_v8value_create_null() { return Handed<CefV8Value>(new ScriptValue(ScriptValue::Kind::Null)); }
CefV8Value* cef_v8value_create_bool(int value) { return Handed<CefV8Value>(ScriptValue::Bool(value != 0).get()); }
CefV8Value* cef_v8value_create_int(std::int32_t value) { return Handed<CefV8Value>(ScriptValue::Int(value).get()); }
CefV8Value* cef_v8value_create_double(double value) { return Handed<CefV8Value>(ScriptValue::Double(value).get()); }
CefV8Value* cef_v8value_create_string(const CefString* value) {
    return Handed<CefV8Value>(ScriptValue::String(value ? *value : CefString()).get());
}
CefV8Value* cef_v8value_create_object() { return Handed<CefV8Value>(new ScriptValue(ScriptValue::Kind::Object)); }
CefV8Value* cef_v8value_create_array(int length) {
    CefRefPtr<CefV8Value> array = new ScriptValue(ScriptValue::Kind::Array);
    for (int index = 0; index < length && index < (1 << 20); ++index)
        array->SetValue(std::to_wstring(index), new ScriptValue(ScriptValue::Kind::Undefined));
    return Handed<CefV8Value>(array.get());
}
CefV8Value* cef_v8value_create_function(const CefString* name, CefV8Handler* handler) {
    return Handed<CefV8Value>(ScriptValue::Function(name ? *name : CefString(), handler).get());
}

}  // extern "C"
