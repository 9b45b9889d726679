#include "base/thread_registry.h"

#include <utility>

#include "base/framework_thread.h"
#include "base/framework_thread_record.h"
#include "base/message_loop_proxy.h"

namespace kbase {

ThreadRegistry* ThreadRegistry::GetInstance() {
    static ThreadRegistry instance;  // initialised thread-safely on first use
    return &instance;
}

bool ThreadRegistry::AddCurrentThread(int identifier) {
    FrameworkThreadRecord* const record = FrameworkThreadRecord::Current();
    if (identifier < 0 || !record) return false;
    {
        AutoLock guard(lock_);
        const auto found = threads_.find(identifier);
        if (found == threads_.end()) {
            threads_.emplace(identifier, record->owner);
        } else if (found->second != record->owner) {
            return false;
        }
    }
    ++record->registration_count;
    record->registered_id = identifier;
    return true;
}

bool ThreadRegistry::RemoveCurrentThread() {
    FrameworkThreadRecord* const record = FrameworkThreadRecord::Current();
    if (!record || record->registration_count <= 0) return false;
    if (--record->registration_count > 0) return true;
    {
        AutoLock guard(lock_);
        const auto found = threads_.find(record->registered_id);
        if (found != threads_.end() && found->second == record->owner) threads_.erase(found);
    }
    record->registered_id = -1;
    return true;
}

std::shared_ptr<MessageLoopProxy> ThreadRegistry::FindLoopProxy(int identifier) {
    AutoLock guard(lock_);
    const auto found = threads_.find(identifier);
    if (found == threads_.end()) return nullptr;
    return found->second->LoopProxy();
}

bool ThreadRegistry::PostTask(int identifier, Task task) {
    const std::shared_ptr<MessageLoopProxy> proxy = FindLoopProxy(identifier);
    return proxy && proxy->PostTask(std::move(task));
}

bool ThreadRegistry::PostDelayedTask(int identifier, Task task, TimeDelta delay) {
    const std::shared_ptr<MessageLoopProxy> proxy = FindLoopProxy(identifier);
    return proxy && proxy->PostDelayedTask(std::move(task), delay);
}

void ThreadRegistry::PostRecurringTask(int identifier, const WeakCallback<Task>& callback, const TimeDelta& delay,
                                       int times) {
    Task runner = [identifier, callback, delay, times] {
        if (callback.Expired()) return;
        callback();
        if (callback.Expired()) return;  // the run destroyed its object
        // Negative counts never reach 0; keeping them at -1 spares an overflow.
        const int next = times < 0 ? -1 : times - 1;
        if (next != 0) GetInstance()->PostRecurringTask(identifier, callback, delay, next);
    };
    PostDelayedTask(identifier, std::move(runner), delay);
}

int ThreadRegistry::GetCurrentThreadIdentifier() {
    const FrameworkThreadRecord* const record = FrameworkThreadRecord::Current();
    return record ? record->registered_id : -1;
}

void ThreadRegistry::ForgetThread(const FrameworkThread* thread) {
    AutoLock guard(lock_);
    std::erase_if(threads_, [thread](const auto& entry) { return entry.second == thread; });
}

}  // namespace kbase
