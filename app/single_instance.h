#pragma once

#include <windows.h>

#include "base/unique_handle.h"

// One launcher per session: the first holds the semaphore "_TVN_LAUNCHER_TW" for its whole
// life; a later one hands over to the first one's main window and ends.
struct SingleInstance {
    bool alreadyRunning = false;
    kbase::ScopedHandle semaphore;  // keep it open until the process ends
};

// Creates the semaphore. When another launcher holds it, alreadyRunning is set and no handle
// is kept. A semaphore that cannot be created at all does not stop the start.
SingleInstance AcquireSingleInstance();

// The first launcher's main window: the first top-level window whose property
// "_TVN_LAUNCHER_TW" holds its own handle; null when there is none (not created yet, or
// already closing).
HWND FindRunningLauncherWindow();

// Hands over to the running launcher's window: posts it "show" (2026, 0, 0) when it is
// hidden, shows it (restoring it from the task bar) and brings it and its last active popup
// to the foreground. Never waits for the other process.
void ActivateRunningLauncher(HWND window);
