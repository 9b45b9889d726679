#pragma once

#include <functional>
#include <utility>

#include "browser/runtime/cef_exports.h"
#include "browser/runtime/cef_ref.h"
#include "browser/runtime/cef_types.h"

// Work posted to one of the runtime's threads.
class CefTask : public virtual CefBase {
public:
    // Runs the work on the thread it was posted to.
    virtual void Execute() = 0;
};

// Queues task on thread; false when the runtime is not running (the task is then dropped).
inline bool CefPostTask(CefThreadId thread, CefRefPtr<CefTask> task);
// True when the caller runs on that runtime thread.
inline bool CefCurrentlyOn(CefThreadId thread);

// A task that runs a closure, for posting bound calls.
class CefClosureTask final : public CefTask {
public:
    explicit CefClosureTask(std::function<void()> closure) : closure_(std::move(closure)) {}
    void Execute() override {
        if (closure_) closure_();
    }
    void AddRef() const override { count_.AddRef(); }
    bool Release() const override {
        if (!count_.Release()) return false;
        delete this;
        return true;
    }
    bool HasOneRef() const override { return count_.HasOneRef(); }

private:
    std::function<void()> closure_;
    CefRefCount count_;
};

// Queues closure on thread; false when the runtime is not running.
inline bool CefPostClosure(CefThreadId thread, std::function<void()> closure) {
    return CefPostTask(thread, new CefClosureTask(std::move(closure)));
}

inline bool CefPostTask(CefThreadId thread, CefRefPtr<CefTask> task) {
    return cef_post_task(thread, task.get()) != 0;
}

inline bool CefCurrentlyOn(CefThreadId thread) { return cef_currently_on(thread) != 0; }
