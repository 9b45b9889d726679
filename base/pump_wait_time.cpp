#include "base/pump_wait_time.h"

#include <algorithm>

namespace kbase::internal {

namespace {
// Rounds up without adding first, so that the largest delays cannot overflow.
std::int64_t CeilMilliseconds(std::int64_t microseconds) {
    return microseconds / 1000 + (microseconds % 1000 > 0 ? 1 : 0);
}

std::uint32_t CapToFiniteWait(std::int64_t milliseconds) {
    return static_cast<std::uint32_t>(std::min<std::int64_t>(milliseconds, kMaxFiniteWaitMs));
}
}  // namespace

std::int64_t MillisecondsUntil(std::int64_t due_time, std::int64_t now) {
    if (due_time == 0) return -1;
    if (due_time <= now) return 0;
    return CeilMilliseconds(due_time - now);
}

std::uint32_t WaitMilliseconds(std::int64_t milliseconds) {
    if (milliseconds < 0) return kInfiniteWaitMs;
    return CapToFiniteWait(milliseconds);
}

std::uint32_t TimerMilliseconds(std::int64_t milliseconds) {
    return std::max(kMinTimerMs, CapToFiniteWait(milliseconds));
}

std::uint32_t DefaultPumpWaitMilliseconds(TimeDelta delay) {
    return CapToFiniteWait(CeilMilliseconds(std::max<TimeDelta>(delay, 0)));
}

}  // namespace kbase::internal
