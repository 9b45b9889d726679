#pragma once

#include <cstddef>

// Test-only entry points of the stand-in zel_libcef.dll: they make a browser's page do what a
// real page's script or user would, since the stand-in has no script engine. Each queues the
// action to the thread a real runtime would run it on, waits (at most 10 s) until it has run,
// and returns 1 when it ran, 0 when the browser is unknown, the runtime is not running or the
// wait timed out. What the page saw in return goes into the page's log (zel_test_page_log).
//
// Page-side values are written as JSON: {"$function": "<label>", "returns": <JSON>} stands for
// a script function that the log records as called and that returns the given value (undefined
// without "returns"); any other JSON is the plain value.

extern "C" {
// Calls the native function functionName of the extension whose code defines objectName, in the
// main frame's script context, with the arguments of the JSON array argumentsJson, as the
// extension's script would. Logs {"event":"native-call", "function", "handled", "exception",
// "result"}.
int zel_test_call_native(int browserId, const char* objectName, const char* functionName,
                         const char* argumentsJson);
// A page's link asks for a new window (WOD_NEW_FOREGROUND_TAB, with a user gesture); when the
// client's life-span handler lets it, the runtime creates a browser for it. Logs
// {"event":"popup", "url", "created"}.
int zel_test_open_popup(int browserId, const char* targetUrl);
// The page asks to download url (the runtime asks the download handler, then fetches the file
// to where the callback said and reports the progress). Logs {"event":"download", "url"}.
int zel_test_request_download(int browserId, const char* url, const char* suggestedName);
// The page's focus moves to an editable node (editable 1), a node that takes no text (0), or no
// node (-1).
int zel_test_focus_node(int browserId, int editable);
// The page opens (show 1) or closes (0) a drop-down at that rectangle of the view; it is painted
// as a PET_POPUP frame in a colour of its own.
int zel_test_popup_widget(int browserId, int show, int x, int y, int width, int height);
// The page opens an alert (0), confirm (1) or prompt (2). Logs {"event":"dialog", "shown",
// "success", "input"} when it is answered or dropped.
int zel_test_js_dialog(int browserId, int type, const char* message);
// The page writes text to its console (unless the display handler keeps it, the journal gets it).
int zel_test_console_message(int browserId, const char* text);
// The page asks for bytes of storage. Logs {"event":"quota", "bytes", "allowed"}.
int zel_test_quota_request(int browserId, long long bytes);
// The page opens a file chooser. Logs {"event":"file-dialog", "answered", "paths"}.
int zel_test_file_dialog(int browserId, int mode, const char* title);
// The render side of the browser crashes (the client's request handler is told); pages load
// again with the next navigation.
int zel_test_crash_render_side(int browserId);
// Copies the page log of the browser (a JSON array of the events above, oldest first) into
// buffer (null-terminated, cut to capacity) and returns its full length without the terminator.
std::size_t zel_test_page_log(int browserId, char* buffer, std::size_t capacity);
// Waits (at most timeoutMs) until the UI, IO and render threads have no queued work and no
// transfer runs; 1 when they are idle.
int zel_test_wait_idle(int timeoutMs);
}
