#pragma once

#include <utility>

#include "base/lock.h"

// A value that one thread may replace while another reads it (strings and records shared by
// the UI thread and the worker). Reads copy the value out under the lock, so no reader ever
// holds a reference into a value that is being replaced.
template <class T>
class Guarded {
public:
    Guarded() = default;
    explicit Guarded(T value) : value_(std::move(value)) {}
    Guarded(const Guarded&) = delete;
    Guarded& operator=(const Guarded&) = delete;

    T Get() const {
        kbase::AutoLock hold(lock_);
        return value_;
    }
    void Set(T value) {
        kbase::AutoLock hold(lock_);
        value_ = std::move(value);
    }
    // Runs change(value) under the lock and returns its result: read-modify-write in one step.
    // change must not take this lock again.
    template <class F>
    auto Update(F&& change) {
        kbase::AutoLock hold(lock_);
        return std::forward<F>(change)(value_);
    }

private:
    mutable kbase::Lock lock_;
    T value_{};
};
