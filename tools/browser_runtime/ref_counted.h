#pragma once

#include "browser/runtime/cef_ref.h"

// The runtime's own objects: one count for every interface they implement, deleted here, in the
// module that created them.
template <class... Interfaces>
class RefCounted : public Interfaces... {
public:
    void AddRef() const final { count_.AddRef(); }
    bool Release() const final {
        if (!count_.Release()) return false;
        delete this;
        return true;
    }
    bool HasOneRef() const final { return count_.HasOneRef(); }

private:
    CefRefCount count_;
};

// Hands a new object to the C interface with the caller's one reference.
template <class T>
T* Handed(CefRefPtr<T> object) {
    T* raw = object.get();
    if (raw) raw->AddRef();
    return raw;
}
