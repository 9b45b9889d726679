#include "ui/process_dpi.h"

#include <windows.h>

#include "ui/dpi_manager.h"
#include "ui/render/gdi_handles.h"

namespace ui {
namespace {

constexpr int kDesignDpi = 96;
constexpr int kPerMonitorAware = 2;
constexpr UINT kEffectiveDpi = 0;

template <class Function>
Function FindUser32(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), name)));
}

// True when the process became DPI aware.
bool MakeDpiAware() {
    if (!IsWindowsVersionAtLeast(0)) return true;  // before Vista every process scales itself
    using PerMonitor = LONG(WINAPI*)(int);
    if (const auto perMonitor = FindUser32<PerMonitor>("SetProcessDpiAwarenessInternal")) {
        if (perMonitor(kPerMonitorAware) == 0) return true;
    }
    using SystemAware = BOOL(WINAPI*)();
    const auto systemAware = FindUser32<SystemAware>("SetProcessDPIAware");
    return systemAware && systemAware();
}

int PrimaryDpi() {
    if (!IsWindowsVersionAtLeast(2)) {
        ScopedScreenDc screen;
        const int dpi = ::GetDeviceCaps(screen.Get(), LOGPIXELSX);
        return dpi > 0 ? dpi : kDesignDpi;
    }
    HMONITOR monitor = ::MonitorFromPoint(POINT{1, 1}, MONITOR_DEFAULTTONEAREST);
    using MonitorDpi = BOOL(WINAPI*)(HMONITOR, UINT, UINT*, UINT*);
    const auto monitorDpi = FindUser32<MonitorDpi>("GetDpiForMonitorInternal");
    UINT x = 0;
    UINT y = 0;
    if (!monitorDpi || !monitorDpi(monitor, kEffectiveDpi, &x, &y) || x == 0) return kDesignDpi;
    return static_cast<int>(x);
}

}  // namespace

void AdaptProcessDpi() {
    DpiManager* dpi = DpiManager::GetInstance();
    if (!dpi->IsAdaptDPI()) dpi->SetAdaptDPI(MakeDpiAware());
    if (dpi->IsAdaptDPI()) dpi->SetScale(::MulDiv(PrimaryDpi(), 100, kDesignDpi));
}

}  // namespace ui
