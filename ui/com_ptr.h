#pragma once

#include <utility>

namespace ui {

// The owner of one reference to a COM interface, released when it goes.
template <class Interface>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { Reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    Interface* Get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    // Where a creating call stores the new reference; any held one is released first.
    void** Receive() {
        Reset();
        return reinterpret_cast<void**>(&pointer_);
    }
    void Reset() {
        if (Interface* pointer = std::exchange(pointer_, nullptr)) pointer->Release();
    }

private:
    Interface* pointer_ = nullptr;
};

}  // namespace ui
