#pragma once
// What the UI benchmarks share: durations in milliseconds, the figures they print, and the
// size of the tree they timed.

#include <algorithm>
#include <chrono>
#include <vector>

#include "ui/control.h"

namespace bench {

using Clock = std::chrono::steady_clock;

inline double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// values must not be empty.
inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

inline double Best(const std::vector<double>& values) {
    return *std::min_element(values.begin(), values.end());
}

// The control and everything below it.
inline int CountControls(ui::Control* control) {
    int count = 0;
    control->FindControl(
        [](ui::Control*, void* data) -> ui::Control* {
            ++*static_cast<int*>(data);
            return nullptr;
        },
        &count, 0);
    return count;
}

}  // namespace bench
