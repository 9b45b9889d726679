#pragma once

// Helpers for tests that wait on other threads: every wait is bounded, and a watchdog ends
// the process when a loop under test never returns.

#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

#include "base/framework_thread.h"
#include "base/message_loop_proxy.h"
#include "base/thread_registry.h"
#include "base/unique_handle.h"

namespace kbase_test {

constexpr DWORD kWaitMs = 10000;

// Ends the process if the scope is not left within the limit.
class Watchdog {
public:
    explicit Watchdog(const char* what, std::chrono::seconds limit = std::chrono::seconds(30))
        : thread_([this, what, limit] {
              std::unique_lock<std::mutex> lock(mutex_);
              if (!done_changed_.wait_for(lock, limit, [this] { return done_; })) {
                  std::fprintf(stderr, "watchdog: %s did not finish\n", what);
                  std::fflush(stderr);
                  std::_Exit(3);
              }
          }) {}
    ~Watchdog() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            done_ = true;
        }
        done_changed_.notify_one();
        thread_.join();
    }

private:
    std::mutex mutex_;
    std::condition_variable done_changed_;
    bool done_ = false;
    std::thread thread_;  // last: starts once the rest exists
};

// A manual-reset event with a bounded wait.
class Event {
public:
    Event() : handle_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    void Signal() { ::SetEvent(handle_.Get()); }
    bool Wait(DWORD ms = kWaitMs) { return ::WaitForSingleObject(handle_.Get(), ms) == WAIT_OBJECT_0; }

private:
    kbase::ScopedHandle handle_;
};

// A framework thread whose Init and Cleanup run the given hooks on the thread.
class HookedThread : public kbase::FrameworkThread {
public:
    explicit HookedThread(std::function<void()> init = {}, std::function<void()> cleanup = {})
        : FrameworkThread("TestThread"), init_(std::move(init)), cleanup_(std::move(cleanup)) {}
    ~HookedThread() override { Stop(); }

protected:
    void Init() override {
        if (init_) init_();
    }
    void Cleanup() override {
        if (cleanup_) cleanup_();
    }

private:
    std::function<void()> init_;
    std::function<void()> cleanup_;
};

// A thread registered under the identifier from Init to Cleanup, as the launcher's threads are.
class RegisteredThread : public HookedThread {
public:
    explicit RegisteredThread(int identifier)
        : HookedThread([identifier] { kbase::ThreadRegistry::GetInstance()->AddCurrentThread(identifier); },
                       [] { kbase::ThreadRegistry::GetInstance()->RemoveCurrentThread(); }) {}
};

// Runs the function on the proxy's loop and waits until it has run.
inline bool RunOn(const std::shared_ptr<kbase::MessageLoopProxy>& proxy, std::function<void()> function) {
    auto done = std::make_shared<Event>();
    if (!proxy || !proxy->PostTask([done, function] {
            function();
            done->Signal();
        })) {
        return false;
    }
    return done->Wait();
}

}  // namespace kbase_test
