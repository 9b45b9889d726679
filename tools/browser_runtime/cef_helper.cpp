// The runtime's helper sub-process: the runtime starts it with its switches and it serves until
// the runtime ends it.

#include <windows.h>

#include "browser/runtime/cef_runtime.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    CefMainArgs args;
    args.instance = instance;
    const int code = CefExecuteProcess(args, nullptr, nullptr);
    return code < 0 ? 1 : code;
}
