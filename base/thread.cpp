#include "base/thread.h"

#include <process.h>

#include <cstdint>

namespace kbase {

namespace {
int SystemPriority(int priority) {
    switch (priority) {
        case 1: return THREAD_PRIORITY_LOWEST;
        case 3: return THREAD_PRIORITY_HIGHEST;
        case 4: return THREAD_PRIORITY_TIME_CRITICAL;
        default: return THREAD_PRIORITY_BELOW_NORMAL;  // 2, and anything above 4
    }
}
}  // namespace

Thread::~Thread() { Join(); }

unsigned __stdcall Thread::ThreadMain(void* self) {
    static_cast<Thread*>(self)->Run();
    return 0;
}

bool Thread::Create() {
    if (handle_) return false;  // replacing the handle would lose the running thread
    unsigned id = 0;
    const std::uintptr_t raw = ::_beginthreadex(nullptr, 0, &Thread::ThreadMain, this, 0, &id);
    if (raw == 0 || raw == 1) {
        thread_id_ = 0;
        return false;
    }
    handle_.Reset(reinterpret_cast<HANDLE>(raw));
    thread_id_ = id;
    if (priority_ >= 1) ::SetThreadPriority(handle_.Get(), SystemPriority(priority_));
    return true;
}

void Thread::Join() {
    if (!handle_) return;
    if (::GetThreadId(handle_.Get()) == ::GetCurrentThreadId()) return;  // a thread cannot wait for itself
    if (::WaitForSingleObject(handle_.Get(), INFINITE) != WAIT_OBJECT_0) ::TerminateThread(handle_.Get(), 0);
    handle_.Reset();
    thread_id_ = 0;
}

}  // namespace kbase
