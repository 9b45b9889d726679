#pragma once

#include <windows.h>

#include <string_view>

#include "base/unique_handle.h"

namespace ui {

// A movable memory block (GlobalAlloc), as the resource archive hands out its items.
struct GlobalBlockTraits {
    using Raw = HGLOBAL;
    static Raw Invalid() { return nullptr; }
    static void Close(Raw block) { ::GlobalFree(block); }
};
using ScopedGlobalBlock = kbase::UniqueHandle<GlobalBlockTraits>;

// A block locked for a scope; its bytes are the block's whole size.
class LockedGlobalBlock {
public:
    explicit LockedGlobalBlock(HGLOBAL block) : block_(block), bytes_(block ? ::GlobalLock(block) : nullptr) {}
    ~LockedGlobalBlock() {
        if (bytes_) ::GlobalUnlock(block_);
    }
    LockedGlobalBlock(const LockedGlobalBlock&) = delete;
    LockedGlobalBlock& operator=(const LockedGlobalBlock&) = delete;

    void* Data() const { return bytes_; }
    std::string_view Bytes() const {
        return bytes_ ? std::string_view(static_cast<const char*>(bytes_), ::GlobalSize(block_)) : std::string_view();
    }

private:
    HGLOBAL block_;
    void* bytes_;
};

}  // namespace ui
