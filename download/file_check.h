#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "app/md5.h"
#include "base/unique_handle.h"
#include "download/download_task.h"

// The disk side of one download that has an expected MD5, kept off the transfer loop: the
// worker says how much of the file is final and when the file is due for a flush with a new
// resume record; a helper thread (FileCheckPool) hashes the final bytes in order as they come
// and does the flushes. So at the end of the last range the digest is nearly done, and no
// transfer waits for the disk.
class FileCheck {
public:
    FileCheck(std::string localFile, std::string md5, std::int32_t fileSize);
    FileCheck(const FileCheck&) = delete;
    FileCheck& operator=(const FileCheck&) = delete;

    // ---- Worker thread.
    // Bytes [0, bytes) are written and stay as they are; at the file's size every range has
    // ended and the check runs to the end of the file. False when that adds nothing.
    bool SetFinalBytes(std::int64_t bytes);
    // Flushes the file, then replaces its resume record with ranges, which must describe only
    // bytes written before this call. A newer request replaces one not yet carried out.
    void RequestFlush(std::vector<ChunkInfo> ranges);
    // Once the whole file was read: whether its MD5 matched (the file is closed by then).
    std::optional<bool> Verdict() const;
    // The digest of what was read, valid once there is a verdict.
    const std::string& Digest() const { return digest_; }

    // The file's flush clock, which only the worker reads and sets: unset until the file's
    // first range starts.
    std::optional<std::uint32_t> lastFlushTick;

private:
    friend class FileCheckPool;

    // How the pool holds the check; under the pool's lock, except that cancelled is also read
    // by the helper at work.
    struct PoolState {
        bool queued = false;
        bool running = false;
        bool again = false;  // asked for more while running
        std::atomic<bool> cancelled{false};
    };

    enum class Outcome { kPending, kMatched, kMismatched };

    // Helper thread: carries out what is asked until nothing is left or cancelled is set.
    void Work(const std::atomic<bool>& cancelled);
    bool OpenFile();
    // Hashes from hashed_ up to limit (to the end of the file when limit is -1); false on a
    // read failure.
    bool HashUpTo(std::int64_t limit, const std::atomic<bool>& cancelled);
    void Decide(bool readWhole);

    const std::string localFile_;
    const std::string md5_;
    const std::int32_t fileSize_;
    std::atomic<std::int64_t> finalBytes_{0};
    std::atomic<Outcome> outcome_{Outcome::kPending};
    PoolState poolState_;

    std::mutex flushLock_;  // guards flushRanges_
    std::optional<std::vector<ChunkInfo>> flushRanges_;

    // Helper thread only.
    kbase::ScopedFileHandle file_;
    Md5Context md5Context_;
    std::int64_t hashed_ = 0;
    std::string digest_;
};
