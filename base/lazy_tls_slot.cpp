#include "base/lazy_tls_slot.h"

#include <windows.h>

namespace kbase {

unsigned long LazyTlsSlot::Index() {
    if (state_.load(std::memory_order_acquire) == kReady) return index_;
    int expected = kNotAllocated;
    if (state_.compare_exchange_strong(expected, kAllocating, std::memory_order_acq_rel)) {
        index_ = ::TlsAlloc();
        state_.store(kReady, std::memory_order_release);
        return index_;
    }
    while (state_.load(std::memory_order_acquire) != kReady) ::Sleep(0);
    return index_;
}

void* LazyTlsSlot::Get() { return ::TlsGetValue(Index()); }

void LazyTlsSlot::Set(void* value) { ::TlsSetValue(Index(), value); }

}  // namespace kbase
