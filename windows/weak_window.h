#pragma once

#include <memory>

#include "base/weak_callback.h"

// A window that deletes itself once destroyed, reached without owning it: Get is null as soon
// as the window object is gone, so a kept pointer never outlives its target.
template <class T>
class WeakWindow {
public:
    WeakWindow() = default;
    explicit WeakWindow(T* window) : window_(window) {
        if (window) alive_ = window->ObtainWeakFlag();
    }

    T* Get() const { return alive_.expired() ? nullptr : window_; }
    void Reset() { *this = WeakWindow(); }

private:
    T* window_ = nullptr;
    std::weak_ptr<kbase::WeakFlag> alive_;
};
