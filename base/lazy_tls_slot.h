#pragma once

#include <atomic>

namespace kbase {

// A thread-local pointer whose index is allocated on first use and kept until the process ends.
// Constant-initialised, so it can be used from any static initialiser.
class LazyTlsSlot {
public:
    constexpr LazyTlsSlot() = default;
    LazyTlsSlot(const LazyTlsSlot&) = delete;
    LazyTlsSlot& operator=(const LazyTlsSlot&) = delete;

    void* Get();
    void Set(void* value);

private:
    unsigned long Index();

    enum State : int { kNotAllocated = 0, kAllocating = 1, kReady = 2 };
    std::atomic<int> state_{kNotAllocated};
    unsigned long index_ = 0;
};

}  // namespace kbase
