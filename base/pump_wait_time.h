#pragma once

#include <cstdint>

#include "base/time.h"

// Wait and timer arithmetic of the pumps, kept apart so that the clamps can be tested
// without waiting.
namespace kbase::internal {

// The longest finite wait or timer in milliseconds; one more would read as an infinite wait.
inline constexpr std::uint32_t kMaxFiniteWaitMs = 4294967294u;
// What WaitMilliseconds returns for "no time limit".
inline constexpr std::uint32_t kInfiniteWaitMs = 0xFFFFFFFFu;
// Timers shorter than this only burn the processor.
inline constexpr std::uint32_t kMinTimerMs = 10;

// Whole milliseconds from now until the due time, rounded up: -1 when nothing is due
// (due time 0), 0 when the due time has passed.
std::int64_t MillisecondsUntil(std::int64_t due_time, std::int64_t now);

// A wait for MillisecondsUntil's result: -1 becomes infinite, anything longer is cut to the
// longest finite wait.
std::uint32_t WaitMilliseconds(std::int64_t milliseconds);

// A timer for MillisecondsUntil's result, between kMinTimerMs and the longest finite wait.
std::uint32_t TimerMilliseconds(std::int64_t milliseconds);

// The default pump's wait for a delay above 0, rounded up and cut to the longest finite wait.
std::uint32_t DefaultPumpWaitMilliseconds(TimeDelta delay);

}  // namespace kbase::internal
