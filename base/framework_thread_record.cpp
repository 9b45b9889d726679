#include "base/framework_thread_record.h"

#include "base/lazy_tls_slot.h"

namespace kbase {

namespace {
LazyTlsSlot record_slot;
}  // namespace

FrameworkThreadRecord* FrameworkThreadRecord::Current() {
    return static_cast<FrameworkThreadRecord*>(record_slot.Get());
}

void FrameworkThreadRecord::SetCurrent(FrameworkThreadRecord* record) { record_slot.Set(record); }

}  // namespace kbase
