#pragma once

#include <windows.h>

#include <atomic>

#include "base/unique_handle.h"

namespace kbase {

// An operating-system thread running the virtual Run. A derived class whose Run uses its own
// members must Join in its own destructor: by the time this base joins, they are gone.
class Thread {
public:
    Thread() = default;
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;
    virtual ~Thread();

    // Starts the thread on Run; false, with id and handle cleared, when it cannot be started
    // or is already running.
    bool Create();

    // Waits for the thread to end (terminating it when the wait fails) and closes the handle.
    void Join();

    virtual void Run() {}

    DWORD thread_id() const { return thread_id_.load(); }
    HANDLE thread_handle() const { return handle_.Get(); }
    // 0 keeps the system's default; 1 lowest, 2 below normal, 3 highest, 4 time critical.
    int priority() const { return priority_; }
    void set_priority(int priority) { priority_ = priority; }

protected:
    // Also written by the thread itself, hence atomic.
    std::atomic<DWORD> thread_id_{0};

private:
    static unsigned __stdcall ThreadMain(void* self);

    ScopedHandle handle_;
    int priority_ = 0;
};

}  // namespace kbase
