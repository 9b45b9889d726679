#include "download/download_manager.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr std::uint32_t kFlushIntervalMs = 1000;
constexpr std::size_t kWriteBatch = 1 << 20;

// The first byte position of "Content-Range: bytes a-b/size", or -1 when the line is not one.
std::int64_t ParseContentRangeStart(const char* data, std::size_t length) {
    static constexpr char kName[] = "content-range:";
    constexpr std::size_t kNameLength = sizeof(kName) - 1;
    if (length <= kNameLength || ::_strnicmp(data, kName, kNameLength) != 0) return -1;
    std::string value(data + kNameLength, length - kNameLength);
    std::int64_t start = -1;
    char unit[8] = {};
    if (std::sscanf(value.c_str(), " %7[a-zA-Z] %lld-", unit, &start) != 2 || ::_stricmp(unit, "bytes") != 0) return -1;
    return start;
}

}  // namespace

std::size_t DownloadManager::OnTaskHeader(char* data, std::size_t size, std::size_t count, void* userdata) {
    auto* task = static_cast<DownloadTask*>(userdata);
    const std::size_t n = size * count;
    if (!task) return n;
    // Each answer of a redirect chain starts with its status line.
    if (n >= 5 && std::memcmp(data, "HTTP/", 5) == 0) task->announcedStart = -1;
    try {
        const std::int64_t start = ParseContentRangeStart(data, n);
        if (start >= 0) task->announcedStart = start;
    } catch (...) {
        // Unread, the answer is refused as one that does not start where the range does.
    }
    return n;
}

AnswerUse DownloadManager::ClassifyAnswer(DownloadTask& task) {
    if (task.answer == AnswerUse::kUnknown) {
        long status = 0;
        curl_easy_getinfo(task.easyHandle.Get(), CURLINFO_RESPONSE_CODE, &status);
        // Only the bytes asked for may land at begin: a whole file (200) only for a range from
        // byte 0, a partial answer only when it starts where the range does. An error page is
        // read and dropped, so that its status decides the try.
        if (status == 206) {
            task.answer = task.announcedStart == task.tryBegin ? AnswerUse::kWrite : AnswerUse::kRefuse;
        } else if (status == 200) {
            task.answer = task.tryBegin == 0 ? AnswerUse::kWrite : AnswerUse::kRefuse;
        } else {
            task.answer = AnswerUse::kDiscard;
        }
    }
    return task.answer;
}

std::size_t DownloadManager::OnTaskData(char* data, std::size_t size, std::size_t count, void* userdata) {
    auto* task = static_cast<DownloadTask*>(userdata);
    if (!task || !task->owner) return 0;
    try {
        return task->owner->WriteTaskData(*task, data, size * count);
    } catch (...) {
        return 0;  // no exception may cross into libcurl; the range stays short and is fetched again
    }
}

std::size_t DownloadManager::WriteTaskData(DownloadTask& task, const char* data, std::size_t bytes) {
    if (!running) return 0;
    RefreshNowTick();
    if (!IsTaskRunning(&task)) {
        Trace("non work task:" + std::to_string(reinterpret_cast<std::intptr_t>(task.fileHandle.Get())) + ":begin:" +
              std::to_string(task.begin) + ":end:" + std::to_string(task.end) + "\n");
        return 0;
    }
    switch (ClassifyAnswer(task)) {
        case AnswerUse::kRefuse:
            return 0;
        case AnswerUse::kDiscard:
            return bytes;
        default:
            break;
    }
    // Bytes past the range's end are refused: what the range needs is taken, the rest ends the try.
    const std::int64_t received = std::int64_t{task.begin} + static_cast<std::int64_t>(task.pending.size());
    const std::int64_t left = std::max<std::int64_t>(std::int64_t{task.end} + 1 - received, 0);
    const auto n = static_cast<std::size_t>(std::min<std::int64_t>(static_cast<std::int64_t>(bytes), left));
    if (n == 0) return 0;
    task.pending.append(data, n);
    AddDownloadedBytes(static_cast<std::int64_t>(n));
    MaybeSendProgress();

    const bool rangeComplete = n == static_cast<std::size_t>(left);
    const auto check = fileChecks_.find(task.localFile);
    const bool flushDue = check != fileChecks_.end() && check->second->lastFlushTick &&
                          nowTick - *check->second->lastFlushTick >= kFlushIntervalMs;
    if (task.pending.size() < kWriteBatch && !flushDue && !rangeComplete) return n;
    if (!WritePending(task)) return 0;  // later bytes would land at the wrong offset: end this try
    AdvanceFileCheck(task.localFile);
    if (!flushDue) return n;
    // The flush makes the record's word true after a crash, so only files with a record have
    // one; the file's check carries both out, off this loop.
    check->second->lastFlushTick = nowTick;
    const auto ranges = chunkMap_.find(task.localFile);
    if (ranges == chunkMap_.end()) return n;
    check->second->RequestFlush(ranges->second);
    checkPool_.Schedule(check->second);
    return n;
}

bool DownloadManager::WritePending(DownloadTask& task) {
    if (task.pending.empty()) return true;
    const std::string size = std::to_string(static_cast<std::int64_t>(task.pending.size()));
    const auto failure = [&](const char* what) {
        const DWORD error = ::GetLastError();
        Trace(what + task.path + ":" + size + ":begin:" + std::to_string(task.begin) + ":end:" +
              std::to_string(task.end) + ":errno:" + std::to_string(error) + "\n");
        task.pending.clear();
        return false;
    };
    LARGE_INTEGER offset;
    offset.QuadPart = task.begin;
    if (!::SetFilePointerEx(task.fileHandle.Get(), offset, nullptr, FILE_BEGIN)) return failure("recv seek failed:");
    DWORD written = 0;
    const bool ok = ::WriteFile(task.fileHandle.Get(), task.pending.data(), static_cast<DWORD>(task.pending.size()),
                                &written, nullptr);
    task.begin += static_cast<std::int32_t>(written);
    if (const auto ranges = chunkMap_.find(task.localFile); ranges != chunkMap_.end()) {
        kbase::AutoLock hold(task.lock);
        for (ChunkInfo& range : ranges->second) {
            if (range.index == task.chunkIndex) range.begin = task.begin;
        }
    }
    if (!ok || written != task.pending.size()) return failure("recv write failed:");
    task.pending.clear();
    return true;
}
