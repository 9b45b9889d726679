#include "ui/wake_timer.h"

#include <mmsystem.h>

namespace ui {
namespace {

constexpr UINT_PTR kWindowTimerId = 1;

// Runs on a thread of the system: it only posts.
void CALLBACK PostFromMultimediaTimer(UINT /*id*/, UINT /*unused*/, DWORD_PTR window, DWORD_PTR /*unused*/,
                                      DWORD_PTR /*unused*/) {
    ::PostMessageW(reinterpret_cast<HWND>(window), WakeTimer::kWakeMessage, 0, 0);
}

void CALLBACK PostFromWindowTimer(HWND window, UINT /*message*/, UINT_PTR /*id*/, DWORD /*time*/) {
    ::PostMessageW(window, WakeTimer::kWakeMessage, 0, 0);
}

}  // namespace

void WakeTimer::MultimediaTimerTraits::Close(UINT id) {
    ::timeKillEvent(id);
}

bool WakeTimer::Start(UINT periodMs) {
    Stop();
    multimedia_.Reset(::timeSetEvent(periodMs, 1, &PostFromMultimediaTimer, reinterpret_cast<DWORD_PTR>(window_),
                                     TIME_PERIODIC | TIME_CALLBACK_FUNCTION));
    if (!multimedia_) windowTimer_ = ::SetTimer(window_, kWindowTimerId, periodMs, &PostFromWindowTimer) != 0;
    return IsRunning();
}

void WakeTimer::Stop() {
    multimedia_.Reset();
    if (windowTimer_) ::KillTimer(window_, kWindowTimerId);
    windowTimer_ = false;
}

}  // namespace ui
