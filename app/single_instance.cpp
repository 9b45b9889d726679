#include "app/single_instance.h"

#include "app/launcher_messages.h"
#include "app/window_property.h"

SingleInstance AcquireSingleInstance() {
    SingleInstance instance;
    instance.semaphore.Reset(::CreateSemaphoreW(nullptr, 1, 1, kLauncherWindowProperty));
    if (instance.semaphore && ::GetLastError() == ERROR_ALREADY_EXISTS) {
        instance.alreadyRunning = true;
        instance.semaphore.Reset();
    }
    return instance;
}

HWND FindRunningLauncherWindow() {
    const std::vector<HWND> windows = FindWindowsWithSelfProperty(kLauncherWindowProperty);
    return windows.empty() ? nullptr : windows.front();
}

void ActivateRunningLauncher(HWND window) {
    if (!window) return;
    if (!::IsWindowVisible(window)) ::PostMessageW(window, kMsgShowLauncher, 0, 0);
    ::ShowWindow(window, ::IsIconic(window) ? SW_RESTORE : SW_SHOW);
    ::SetForegroundWindow(window);
    ::SetForegroundWindow(::GetLastActivePopup(window));
}
