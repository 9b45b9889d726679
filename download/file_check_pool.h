#pragma once

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "download/file_check.h"

// Helper threads that carry out the file checks (hashing, flushes, resume records) beside the
// worker thread. A check runs on one helper at a time, so what it does keeps its order. The
// threads start with the first check and end with Stop or the pool.
class FileCheckPool {
public:
    explicit FileCheckPool(unsigned threads);
    ~FileCheckPool();
    FileCheckPool(const FileCheckPool&) = delete;
    FileCheckPool& operator=(const FileCheckPool&) = delete;

    // The check has something new to do; a helper takes it up. Ignored after Cancel.
    void Schedule(const std::shared_ptr<FileCheck>& check);
    // The check is never run again; returns once no helper works on it.
    void Cancel(const std::shared_ptr<FileCheck>& check);
    // Ends the threads once each has finished the check it is on; Schedule starts them again.
    void Stop();

private:
    void Run();

    const unsigned threadCount_;
    std::mutex lock_;
    std::condition_variable wake_;  // a check queued, or the pool stopping
    std::condition_variable idle_;  // a check left its helper
    std::deque<std::shared_ptr<FileCheck>> queue_;
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};
