#pragma once

#include "browser/runtime/cef_ref.h"

namespace zel_comp {

// The runtime's reference counting for a launcher class that implements runtime interfaces:
// the last Release deletes the object.
template <class Derived>
class RefCounted : public virtual CefBase {
public:
    void AddRef() const override { count_.AddRef(); }
    bool Release() const override {
        if (!count_.Release()) return false;
        delete static_cast<const Derived*>(this);
        return true;
    }
    bool HasOneRef() const override { return count_.HasOneRef(); }

private:
    CefRefCount count_;
};

}  // namespace zel_comp
