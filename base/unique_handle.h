#pragma once

#include <utility>

#include <windows.h>

namespace kbase {

// Move-only owner of one handle; the traits name the sentinel and the release.
template <class Traits>
class UniqueHandle {
public:
    using Raw = typename Traits::Raw;

    UniqueHandle() = default;
    explicit UniqueHandle(Raw raw) : raw_(raw) {}
    UniqueHandle(UniqueHandle&& other) noexcept : raw_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { Reset(); }

    Raw Get() const { return raw_; }
    explicit operator bool() const { return raw_ != Traits::Invalid(); }
    Raw Release() { return std::exchange(raw_, Traits::Invalid()); }
    void Reset(Raw raw = Traits::Invalid()) {
        if (raw_ != Traits::Invalid()) Traits::Close(raw_);
        raw_ = raw;
    }

private:
    Raw raw_ = Traits::Invalid();
};

// Handles closed by CloseHandle whose failure value is null (threads, events, mutexes).
struct KernelHandleTraits {
    using Raw = HANDLE;
    static Raw Invalid() { return nullptr; }
    static void Close(Raw h) { ::CloseHandle(h); }
};

// File handles, whose failure value is INVALID_HANDLE_VALUE.
struct FileHandleTraits {
    using Raw = HANDLE;
    static Raw Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Raw h) { ::CloseHandle(h); }
};

using ScopedHandle = UniqueHandle<KernelHandleTraits>;
using ScopedFileHandle = UniqueHandle<FileHandleTraits>;

}  // namespace kbase
