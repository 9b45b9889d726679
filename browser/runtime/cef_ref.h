#pragma once

#include <atomic>
#include <utility>

// The browser runtime's objects are shared across the runtime's threads and the launcher's, and
// across zel_libcef.dll and the launcher: each counts its own references and destroys itself,
// in the module that created it, when the last one goes.

// Base of every reference-counted runtime interface; implementers use CefRefCount.
class CefBase {
public:
    // Adds one reference.
    virtual void AddRef() const = 0;
    // Drops one reference; true when that was the last and the object is gone.
    virtual bool Release() const = 0;
    // True when exactly one reference is held.
    virtual bool HasOneRef() const = 0;

protected:
    virtual ~CefBase() = default;
};

// The thread-safe count an implementer of CefBase keeps: AddRef and Release forward to it, and
// Release deletes the object when Release here returns true.
class CefRefCount {
public:
    // Adds one reference.
    void AddRef() const { count_.fetch_add(1, std::memory_order_relaxed); }
    // Drops one reference; true when none is left.
    bool Release() const { return count_.fetch_sub(1, std::memory_order_acq_rel) == 1; }
    // True when exactly one reference is held.
    bool HasOneRef() const { return count_.load(std::memory_order_acquire) == 1; }

private:
    mutable std::atomic<int> count_{0};
};

// Holds one reference to a runtime object (null allowed).
template <class T>
class CefRefPtr {
public:
    CefRefPtr() = default;
    CefRefPtr(std::nullptr_t) {}
    // Takes a new reference to object.
    CefRefPtr(T* object) : object_(object) {
        if (object_) object_->AddRef();
    }
    CefRefPtr(const CefRefPtr& other) : CefRefPtr(other.object_) {}
    template <class U>
    CefRefPtr(const CefRefPtr<U>& other) : CefRefPtr(other.get()) {}
    CefRefPtr(CefRefPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    CefRefPtr& operator=(CefRefPtr other) noexcept {
        std::swap(object_, other.object_);
        return *this;
    }
    ~CefRefPtr() {
        if (object_) object_->Release();
    }

    // Wraps a pointer that already carries a reference for the caller (the runtime's C entry
    // points return such pointers), without adding another.
    static CefRefPtr Adopt(T* object) {
        CefRefPtr pointer;
        pointer.object_ = object;
        return pointer;
    }

    T* get() const { return object_; }
    T* operator->() const { return object_; }
    T& operator*() const { return *object_; }
    explicit operator bool() const { return object_ != nullptr; }
    bool operator==(const CefRefPtr& other) const { return object_ == other.object_; }
    bool operator==(std::nullptr_t) const { return object_ == nullptr; }

private:
    T* object_ = nullptr;
};
