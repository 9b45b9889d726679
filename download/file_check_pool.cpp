#include "download/file_check_pool.h"

#include <algorithm>

FileCheckPool::FileCheckPool(unsigned threads) : threadCount_(std::max(1u, threads)) {}

FileCheckPool::~FileCheckPool() {
    Stop();
}

void FileCheckPool::Schedule(const std::shared_ptr<FileCheck>& check) {
    std::lock_guard<std::mutex> hold(lock_);
    FileCheck::PoolState& state = check->poolState_;
    if (state.cancelled) return;
    if (state.running) {
        state.again = true;  // its helper looks again before it lets go
        return;
    }
    if (state.queued) return;
    state.queued = true;
    queue_.push_back(check);
    if (threads_.empty()) {
        stopping_ = false;
        for (unsigned i = 0; i < threadCount_; ++i) threads_.emplace_back([this] { Run(); });
    }
    wake_.notify_one();
}

void FileCheckPool::Cancel(const std::shared_ptr<FileCheck>& check) {
    std::unique_lock<std::mutex> hold(lock_);
    FileCheck::PoolState& state = check->poolState_;
    state.cancelled = true;
    if (state.queued) {
        queue_.erase(std::find(queue_.begin(), queue_.end(), check));
        state.queued = false;
    }
    idle_.wait(hold, [&state] { return !state.running; });
}

void FileCheckPool::Stop() {
    std::vector<std::thread> threads;
    {
        std::lock_guard<std::mutex> hold(lock_);
        stopping_ = true;
        threads.swap(threads_);
        for (const std::shared_ptr<FileCheck>& check : queue_) check->poolState_.queued = false;
        queue_.clear();
    }
    wake_.notify_all();
    for (std::thread& thread : threads) thread.join();
}

void FileCheckPool::Run() {
    std::unique_lock<std::mutex> hold(lock_);
    while (true) {
        wake_.wait(hold, [this] { return stopping_ || !queue_.empty(); });
        if (stopping_) return;
        std::shared_ptr<FileCheck> check = std::move(queue_.front());
        queue_.pop_front();
        FileCheck::PoolState& state = check->poolState_;
        state.queued = false;
        do {
            state.again = false;
            state.running = true;
            hold.unlock();
            check->Work(state.cancelled);
            hold.lock();
            state.running = false;
        } while (state.again && !state.cancelled && !stopping_);
        idle_.notify_all();
    }
}
