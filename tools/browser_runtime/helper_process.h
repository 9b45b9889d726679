#pragma once

#include <string>

#include "browser/runtime/cef_app.h"
#include "tools/browser_runtime/command_line.h"

// The helper sub-process (cef_helper.exe) the runtime keeps beside the browser process while it
// runs; it ends when told or when the browser process ends.
namespace helper_process {

// Starts path with the helper's switches (after the browser-process handler, when given, saw
// them); false when it cannot start.
bool Start(const std::wstring& path, const std::wstring& logFile, CefRefPtr<CefBrowserProcessHandler> handler);
// Tells the helper to end and waits for it (at most 5 s, then ends it).
void Stop();
// In the helper process: waits until told to end or the browser process has ended; the exit code.
int Run(CefRefPtr<CommandLine> commandLine);

}  // namespace helper_process
