#pragma once

#include <cstdint>

namespace kbase {

// A span of time in microseconds.
using TimeDelta = std::int64_t;

// The loop clock: the multimedia timer's milliseconds widened to 64 bits, in microseconds.
// Keeps increasing across the 32-bit wrap of the timer (every 49.7 days).
std::int64_t NowMicroseconds();

namespace internal {
// The widening step alone, so that the wrap can be tested without waiting 49 days.
class WideningClock {
public:
    std::int64_t Widen(std::uint32_t milliseconds);

private:
    std::int64_t high_ = 0;
    std::uint32_t previous_ = 0;
};
}  // namespace internal

}  // namespace kbase
