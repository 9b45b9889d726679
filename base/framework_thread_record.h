#pragma once

namespace kbase {

class FrameworkThread;

// What a running framework thread knows about itself, reached through a thread-local slot.
// Written only by its own thread.
struct FrameworkThreadRecord {
    FrameworkThread* owner = nullptr;
    int registration_count = 0;  // 0 when unregistered
    int registered_id = -1;      // -1 when none

    // The calling thread's record, or null on a thread that is not a framework thread.
    static FrameworkThreadRecord* Current();
    static void SetCurrent(FrameworkThreadRecord* record);
};

}  // namespace kbase
