#pragma once

#include <windows.h>

#include <atomic>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "base/unique_handle.h"

// One of the runtime's threads: runs queued work in order and dispatches the window messages of
// the windows it owns.
class TaskThread {
public:
    explicit TaskThread(std::string name);
    ~TaskThread();
    TaskThread(const TaskThread&) = delete;
    TaskThread& operator=(const TaskThread&) = delete;

    // Starts the thread; work may be queued from then on.
    void Start();
    // Runs what is queued, then ends the thread and waits for it. Work queued later is dropped.
    void Stop();
    // Queues work; false when the thread does not run.
    bool Post(std::function<void()> work);
    // Queues work and waits until it has run (at most timeoutMs); false when it did not run in time.
    bool PostAndWait(std::function<void()> work, DWORD timeoutMs);
    // True on this thread.
    bool IsCurrent() const;
    // True while nothing is queued or running.
    bool IsIdle();
    const std::string& name() const { return name_; }

private:
    void Run();

    const std::string name_;
    std::mutex lock_;
    std::deque<std::function<void()>> queue_;
    bool accepting_ = false;
    bool stopping_ = false;
    bool running_ = false;
    kbase::UniqueHandle<kbase::KernelHandleTraits> wake_;
    std::thread thread_;
    std::atomic<DWORD> threadId_{0};
};
