#pragma once

#include <cstdint>

#include "base/task.h"

namespace kbase {

// A task in a loop's queues.
struct QueuedTask {
    // Microseconds on the loop clock; 0 runs as soon as possible.
    std::int64_t due_time = 0;
    // Order among equal due times. 64 bits: a loop that lives for months and posts a delayed
    // task every few milliseconds would wrap 32 bits and break the order.
    std::int64_t sequence = 0;
    // False for outer-loop tasks, which run only at run depth 1.
    bool nestable = true;
    Task task;
};

}  // namespace kbase
