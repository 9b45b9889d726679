#pragma once

#include <map>
#include <memory>

#include "base/lock.h"
#include "base/task.h"
#include "base/time.h"
#include "base/weak_callback.h"

namespace kbase {

class FrameworkThread;
class MessageLoopProxy;

// Process-wide map from small thread identifiers to framework threads, so that any thread can
// post to a thread by number. A thread registers itself from its own code (usually Init) and
// unregisters in Cleanup.
class ThreadRegistry {
public:
    static ThreadRegistry* GetInstance();

    ThreadRegistry(const ThreadRegistry&) = delete;
    ThreadRegistry& operator=(const ThreadRegistry&) = delete;

    // False for an identifier below 0, on a thread that is not a framework thread, or when
    // another thread holds the identifier. Registering again counts up.
    bool AddCurrentThread(int identifier);
    // Counts down; the identifier is released when the count reaches 0.
    bool RemoveCurrentThread();
    // Empty when the identifier is not registered or its thread has no loop.
    std::shared_ptr<MessageLoopProxy> FindLoopProxy(int identifier);
    // False, dropping the task, when the identifier has no loop or the loop refuses it.
    bool PostTask(int identifier, Task task);
    bool PostDelayedTask(int identifier, Task task, TimeDelta delay);
    // Runs the callback one delay after the post and one delay after the end of each run,
    // times times (-1, or any negative count: until the bound object is destroyed). Nothing is
    // posted when the identifier has no loop.
    void PostRecurringTask(int identifier, const WeakCallback<Task>& callback, const TimeDelta& delay, int times);
    // The calling thread's identifier; -1 when it has none.
    int GetCurrentThreadIdentifier();

private:
    friend class FrameworkThread;

    ThreadRegistry() = default;
    ~ThreadRegistry() = default;
    // Drops every identifier still mapped to a thread whose loop is ending.
    void ForgetThread(const FrameworkThread* thread);

    Lock lock_;
    std::map<int, FrameworkThread*> threads_;  // not owned
};

}  // namespace kbase
