#include "download/file_check.h"

#include <windows.h>

#include <algorithm>
#include <utility>

#include "base/path_util.h"
#include "download/resume_record.h"

namespace {

constexpr std::int64_t kReadChunk = 1 << 20;

}  // namespace

FileCheck::FileCheck(std::string localFile, std::string md5, std::int32_t fileSize)
    : localFile_(std::move(localFile)), md5_(std::move(md5)), fileSize_(fileSize) {}

bool FileCheck::SetFinalBytes(std::int64_t bytes) {
    bytes = std::min<std::int64_t>(bytes, fileSize_);
    if (bytes <= finalBytes_.load()) return false;
    finalBytes_ = bytes;
    return true;
}

void FileCheck::RequestFlush(std::vector<ChunkInfo> ranges) {
    std::lock_guard<std::mutex> hold(flushLock_);
    flushRanges_ = std::move(ranges);
}

std::optional<bool> FileCheck::Verdict() const {
    switch (outcome_.load()) {
        case Outcome::kMatched:
            return true;
        case Outcome::kMismatched:
            return false;
        default:
            return std::nullopt;
    }
}

void FileCheck::Work(const std::atomic<bool>& cancelled) {
    while (!cancelled && outcome_.load() == Outcome::kPending) {
        std::optional<std::vector<ChunkInfo>> ranges;
        {
            std::lock_guard<std::mutex> hold(flushLock_);
            ranges.swap(flushRanges_);
        }
        if (ranges) {
            // The record may only speak of flushed bytes; a file that cannot be flushed keeps
            // its older record.
            if (OpenFile() && ::FlushFileBuffers(file_.Get())) WriteResumeRecord(localFile_, md5_, *ranges);
            continue;
        }
        const std::int64_t final = finalBytes_.load();
        if (hashed_ < final) {
            if (!HashUpTo(final, cancelled)) Decide(false);
            continue;
        }
        // Every range has ended: bytes past the expected size, if any, count too, as in a
        // check of the file after the fact.
        if (final == fileSize_) Decide(HashUpTo(-1, cancelled) && !cancelled);
        break;
    }
}

bool FileCheck::OpenFile() {
    if (!file_) {
        file_.Reset(::CreateFileW(kbase::WidePath(localFile_).c_str(), GENERIC_READ | GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    }
    return static_cast<bool>(file_);
}

bool FileCheck::HashUpTo(std::int64_t limit, const std::atomic<bool>& cancelled) {
    if (!OpenFile()) return false;
    LARGE_INTEGER offset;
    offset.QuadPart = hashed_;
    if (!::SetFilePointerEx(file_.Get(), offset, nullptr, FILE_BEGIN)) return false;
    std::string buffer(static_cast<std::size_t>(kReadChunk), '\0');
    while (!cancelled && (limit < 0 || hashed_ < limit)) {
        const std::int64_t want = limit < 0 ? kReadChunk : std::min(kReadChunk, limit - hashed_);
        DWORD got = 0;
        if (!::ReadFile(file_.Get(), buffer.data(), static_cast<DWORD>(want), &got, nullptr)) return false;
        if (got == 0) return limit < 0;  // the end of the file; short of limit it is a failure
        md5Context_.Update(buffer.data(), got);
        hashed_ += got;
    }
    return true;
}

void FileCheck::Decide(bool readWhole) {
    digest_ = md5Context_.HexDigest();
    file_.Reset();  // closed before the verdict, so that the worker may delete the file at once
    outcome_ = readWhole && digest_ == md5_ ? Outcome::kMatched : Outcome::kMismatched;
}
