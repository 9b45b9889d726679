#include "base/timer_resolution.h"

#include <windows.h>

#include <mmsystem.h>

#include <atomic>

namespace kbase {

namespace {

constexpr UINT kPeriodMs = 1;
std::atomic<int> g_held{0};

}  // namespace

TimerResolutionRequest::TimerResolutionRequest() : granted_(::timeBeginPeriod(kPeriodMs) == TIMERR_NOERROR) {
    ++g_held;
}

TimerResolutionRequest::~TimerResolutionRequest() {
    // Every granted period is ended with the same value, as Windows requires.
    if (granted_) ::timeEndPeriod(kPeriodMs);
    --g_held;
}

int TimerResolutionRequest::HeldCount() {
    return g_held.load();
}

}  // namespace kbase
