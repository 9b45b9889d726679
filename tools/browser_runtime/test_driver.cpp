// The test-only entry points of zel_libcef.dll (test_driver.h).

#include "tools/browser_runtime/test_driver.h"

#include <cstring>
#include <functional>

#include "tools/browser_runtime/browser.h"
#include "tools/browser_runtime/journal.h"
#include "tools/browser_runtime/page_log.h"
#include "tools/browser_runtime/runtime.h"

namespace {

constexpr DWORD kDriverWaitMs = 10000;

std::string Text(const char* text) { return text ? text : ""; }

// Runs action with the browser on thread; 1 when it ran in time.
int Drive(const char* what, int browserId, TaskThread& thread, std::function<void(Browser&)> action) {
    CefRefPtr<Browser> browser = runtime::FindBrowser(browserId);
    journal::Write(std::string("driver: ") + what + " (browser " + std::to_string(browserId) + ")");
    if (!browser || !runtime::IsRunning()) return 0;
    return thread.PostAndWait([browser, action] { action(*browser); }, kDriverWaitMs) ? 1 : 0;
}

}  // namespace

extern "C" {

int zel_test_call_native(int browserId, const char* objectName, const char* functionName, const char* argumentsJson) {
    const std::string object = Text(objectName);
    const std::string function = Text(functionName);
    const std::string arguments = Text(argumentsJson);
    return Drive("script calls a native function", browserId, runtime::Render(),
                 [=](Browser& browser) { browser.CallNative(object, function, arguments); });
}

int zel_test_open_popup(int browserId, const char* targetUrl) {
    const CefString url(Text(targetUrl));
    return Drive("page opens a window", browserId, runtime::Ui(), [=](Browser& browser) { browser.OpenPopup(url); });
}

int zel_test_request_download(int browserId, const char* url, const char* suggestedName) {
    const CefString target(Text(url));
    const CefString name(Text(suggestedName));
    return Drive("page asks for a download", browserId, runtime::Ui(),
                 [=](Browser& browser) { browser.RequestDownload(target, name); });
}

int zel_test_focus_node(int browserId, int editable) {
    return Drive("page focus moves", browserId, runtime::Render(), [=](Browser& browser) { browser.FocusNode(editable); });
}

int zel_test_popup_widget(int browserId, int show, int x, int y, int width, int height) {
    const CefRect rect{x, y, width, height};
    return Drive("page drop-down", browserId, runtime::Ui(),
                 [=](Browser& browser) { browser.ShowPopupWidget(show != 0, rect); });
}

int zel_test_js_dialog(int browserId, int type, const char* message) {
    const CefString text(Text(message));
    const CefJSDialogType kind = type == 1 ? JSDIALOGTYPE_CONFIRM : type == 2 ? JSDIALOGTYPE_PROMPT : JSDIALOGTYPE_ALERT;
    return Drive("page opens a dialog", browserId, runtime::Ui(),
                 [=](Browser& browser) { browser.OpenScriptDialog(kind, text); });
}

int zel_test_console_message(int browserId, const char* text) {
    const CefString message(Text(text));
    return Drive("page writes to its console", browserId, runtime::Ui(),
                 [=](Browser& browser) { browser.WriteConsole(message); });
}

int zel_test_quota_request(int browserId, long long bytes) {
    return Drive("page asks for storage", browserId, runtime::Ui(), [=](Browser& browser) { browser.RequestQuota(bytes); });
}

int zel_test_file_dialog(int browserId, int mode, const char* title) {
    const CefString text(Text(title));
    const CefFileDialogMode kind = mode >= FILE_DIALOG_OPEN && mode <= FILE_DIALOG_SAVE ? static_cast<CefFileDialogMode>(mode)
                                                                                        : FILE_DIALOG_OPEN;
    return Drive("page opens a file chooser", browserId, runtime::Ui(),
                 [=](Browser& browser) { browser.OpenFileDialog(kind, text); });
}

int zel_test_crash_render_side(int browserId) {
    return Drive("render side crashes", browserId, runtime::Ui(), [](Browser& browser) { browser.CrashRenderSide(); });
}

std::size_t zel_test_page_log(int browserId, char* buffer, std::size_t capacity) {
    const std::string text = page_log::Text(browserId);
    if (buffer && capacity > 0) {
        const std::size_t copied = std::min(text.size(), capacity - 1);
        std::memcpy(buffer, text.data(), copied);
        buffer[copied] = '\0';
    }
    return text.size();
}

int zel_test_wait_idle(int timeoutMs) {
    const DWORD start = ::GetTickCount();
    // Idle twice in a row: work on one thread often queues work on another.
    int idleRounds = 0;
    while (::GetTickCount() - start < static_cast<DWORD>(timeoutMs)) {
        const bool idle = runtime::Ui().IsIdle() && runtime::Io().IsIdle() && runtime::Render().IsIdle();
        idleRounds = idle ? idleRounds + 1 : 0;
        if (idleRounds >= 2) return 1;
        ::Sleep(10);
    }
    return 0;
}

}  // extern "C"
