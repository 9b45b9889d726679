#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "browser/runtime/cef_string.h"

// Plain records and enumerations of the browser runtime (zel_libcef.dll). Where the launcher
// depends on a value, the value is fixed here.

// The runtime's threads that work can be posted to.
enum CefThreadId {
    TID_UI = 0,        // the runtime's own UI thread: every client handler is called here
    TID_IO = 1,        // network transfers
    TID_RENDERER = 2,  // the render side's main thread: render-process handler and script values
};

// The two sides a process message travels between.
enum CefProcessId {
    PID_BROWSER = 0,
    PID_RENDERER = 1,
};

// Answer of a resource-load question.
enum CefReturnValue {
    RV_CANCEL = 0,          // the load fails as aborted
    RV_CONTINUE = 1,        // the load goes on now
    RV_CONTINUE_ASYNC = 2,  // the load waits for the request callback
};

// What an off-screen frame shows.
enum CefPaintElementType {
    PET_VIEW = 0,   // the page
    PET_POPUP = 1,  // an open drop-down of the page
};

enum CefKeyEventType {
    KEYEVENT_RAWKEYDOWN = 0,
    KEYEVENT_KEYDOWN = 1,
    KEYEVENT_KEYUP = 2,
    KEYEVENT_CHAR = 3,
};

enum CefMouseButtonType {
    MBT_LEFT = 0,
    MBT_MIDDLE = 1,
    MBT_RIGHT = 2,
};

// Modifier bits of mouse and key events.
enum CefEventFlags : std::uint32_t {
    EVENTFLAG_NONE = 0,
    EVENTFLAG_CAPS_LOCK_ON = 1,
    EVENTFLAG_SHIFT_DOWN = 2,
    EVENTFLAG_CONTROL_DOWN = 4,
    EVENTFLAG_ALT_DOWN = 8,
    EVENTFLAG_LEFT_MOUSE_BUTTON = 16,
    EVENTFLAG_MIDDLE_MOUSE_BUTTON = 32,
    EVENTFLAG_RIGHT_MOUSE_BUTTON = 64,
    EVENTFLAG_NUM_LOCK_ON = 256,
    EVENTFLAG_IS_KEY_PAD = 512,
    EVENTFLAG_IS_LEFT = 1024,
    EVENTFLAG_IS_RIGHT = 2048,
};

// Where a page asked a link to open.
enum CefWindowOpenDisposition {
    WOD_CURRENT_TAB = 0,
    WOD_NEW_FOREGROUND_TAB = 1,
    WOD_NEW_BACKGROUND_TAB = 2,
    WOD_NEW_POPUP = 3,
    WOD_NEW_WINDOW = 4,
};

// How a render side ended.
enum CefTerminationStatus {
    TS_ABNORMAL_TERMINATION = 0,
    TS_PROCESS_WAS_KILLED = 1,
    TS_PROCESS_CRASHED = 2,
};

// Why a load failed (reported with the load-error event).
enum CefErrorCode {
    ERR_NONE = 0,
    ERR_FAILED = -2,             // the transfer failed (connection refused, reset, bad answer)
    ERR_ABORTED = -3,            // cancelled by the launcher's request handler or a new load
    ERR_UNKNOWN_URL_SCHEME = -4, // neither http, https nor about:blank
};

enum CefJSDialogType {
    JSDIALOGTYPE_ALERT = 0,
    JSDIALOGTYPE_CONFIRM = 1,
    JSDIALOGTYPE_PROMPT = 2,
};

enum CefFileDialogMode {
    FILE_DIALOG_OPEN = 0,
    FILE_DIALOG_OPEN_MULTIPLE = 1,
    FILE_DIALOG_OPEN_FOLDER = 2,
    FILE_DIALOG_SAVE = 3,
};

// Kinds of value in a process message's argument list.
enum CefValueType {
    VTYPE_NULL = 0,
    VTYPE_BOOL = 1,
    VTYPE_INT = 2,
    VTYPE_DOUBLE = 3,
    VTYPE_STRING = 4,
};

struct CefRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct CefMouseEvent {
    int x = 0;  // in view pixels
    int y = 0;
    std::uint32_t modifiers = 0;  // CefEventFlags
};

struct CefKeyEvent {
    CefKeyEventType type = KEYEVENT_RAWKEYDOWN;
    std::uint32_t modifiers = 0;  // CefEventFlags
    int windows_key_code = 0;
    int native_key_code = 0;
    int is_system_key = 0;
    wchar_t character = 0;
    wchar_t unmodified_character = 0;
    int focus_on_editable_field = 0;
};

// The process's start: its module handle.
struct CefMainArgs {
    HINSTANCE instance = nullptr;
};

// The settings the runtime starts with. 336 bytes, as the launcher allocates it; fields left
// as constructed take the runtime's defaults.
struct CefSettings {
    std::size_t size = sizeof(CefSettings);
    int no_sandbox = 0;
    int single_process = 0;               // the stand-in has no other mode than its own threads
    int multi_threaded_message_loop = 0;  // 1: the runtime runs its own UI thread (required)
    int windowless_rendering_enabled = 0; // 1: browsers may render off-screen
    CefString browser_subprocess_path;    // the helper executable started at initialisation
    CefString cache_path;                 // created when missing
    CefString log_file;                   // the call journal; empty: "debug.log" in the working folder
    CefString locale;                     // sent as Accept-Language when set
    CefString user_agent;                 // sent as User-Agent when set
    unsigned char reserved[152] = {};
};
static_assert(sizeof(CefSettings) == 336, "the launcher allocates the settings record with this size");

// How a browser is shown: off-screen (windowless_rendering_enabled), or in a child window of
// parent_window at x, y, width, height, or in a top-level window with window_name as title.
struct CefWindowInfo {
    DWORD style = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    HWND parent_window = nullptr;
    CefString window_name;
    int windowless_rendering_enabled = 0;
    int transparent_painting_enabled = 0;  // 0: frames are opaque
};

// Per-browser settings; the launcher uses the defaults.
struct CefBrowserSettings {
    std::size_t size = sizeof(CefBrowserSettings);
};

// What a page asked for its new window.
struct CefPopupFeatures {
    int x = 0;
    int x_set = 0;
    int y = 0;
    int y_set = 0;
    int width = 0;
    int width_set = 0;
    int height = 0;
    int height_set = 0;
};

struct CefPoint {
    int x = 0;
    int y = 0;
};
