#include "tools/browser_runtime/task_thread.h"

#include <memory>

#include "tools/browser_runtime/journal.h"

TaskThread::TaskThread(std::string name) : name_(std::move(name)) {}

TaskThread::~TaskThread() { Stop(); }

void TaskThread::Start() {
    std::lock_guard<std::mutex> hold(lock_);
    if (thread_.joinable()) return;
    wake_.Reset(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
    accepting_ = true;
    stopping_ = false;
    thread_ = std::thread([this] { Run(); });
}

void TaskThread::Stop() {
    {
        std::lock_guard<std::mutex> hold(lock_);
        if (!thread_.joinable()) return;
        accepting_ = false;
        stopping_ = true;
    }
    ::SetEvent(wake_.Get());
    thread_.join();
    threadId_ = 0;
}

bool TaskThread::Post(std::function<void()> work) {
    {
        std::lock_guard<std::mutex> hold(lock_);
        if (!accepting_) return false;
        queue_.push_back(std::move(work));
    }
    ::SetEvent(wake_.Get());
    return true;
}

bool TaskThread::PostAndWait(std::function<void()> work, DWORD timeoutMs) {
    if (IsCurrent()) {
        work();
        return true;
    }
    // Shared with the task, which may run after a timed-out wait has returned.
    auto done = std::make_shared<kbase::ScopedHandle>(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!Post([work = std::move(work), done] {
            work();
            ::SetEvent(done->Get());
        }))
        return false;
    return ::WaitForSingleObject(done->Get(), timeoutMs) == WAIT_OBJECT_0;
}

bool TaskThread::IsCurrent() const { return threadId_ != 0 && ::GetCurrentThreadId() == threadId_; }

bool TaskThread::IsIdle() {
    std::lock_guard<std::mutex> hold(lock_);
    return queue_.empty() && !running_;
}

void TaskThread::Run() {
    threadId_ = ::GetCurrentThreadId();
    journal::NameThread(name_.c_str());
    for (;;) {
        std::deque<std::function<void()>> batch;
        bool stop = false;
        {
            std::lock_guard<std::mutex> hold(lock_);
            batch.swap(queue_);
            running_ = !batch.empty();
            stop = stopping_ && batch.empty();
        }
        if (stop) break;
        for (auto& work : batch) work();
        {
            std::lock_guard<std::mutex> hold(lock_);
            running_ = false;
        }
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        if (batch.empty()) {
            HANDLE wake = wake_.Get();
            ::MsgWaitForMultipleObjects(1, &wake, FALSE, INFINITE, QS_ALLINPUT);
        }
    }
}
