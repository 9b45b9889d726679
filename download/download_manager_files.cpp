#include "download/download_manager.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>
#include <limits>
#include <utility>

#include "app/launcher_context.h"
#include "app/launcher_messages.h"
#include "app/md5.h"
#include "download/file_ranges.h"
#include "download/guarded_call.h"
#include "download/join_url.h"
#include "download/local_file.h"
#include "download/resume_record.h"
#include "download/speed_math.h"

namespace {

constexpr std::uint32_t kFlushIntervalMs = 1000;
constexpr std::size_t kWriteBatch = 1 << 20;

std::string Decimal(std::int64_t value) {
    return std::to_string(value);
}

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

void DownloadManager::DownloadFile(const std::string& path, const std::string& localFile, const std::string& md5,
                                   std::int64_t size, DownloadDoneCallback done, DownloadProgressCallback progress,
                                   int tag, int retry, int urlIndex) {
    DownloadFileFrom(std::make_shared<const std::vector<std::string>>(activeUrls), path, localFile, md5, size, done,
                     progress, tag, retry, urlIndex);
}

void DownloadManager::DownloadFileFrom(const BaseUrlList& urls, const std::string& path, const std::string& localFile,
                                       const std::string& md5, std::int64_t size, DownloadDoneCallback done,
                                       DownloadProgressCallback progress, int tag, int retry, int urlIndex) {
    DownloadTask notice;  // the done callback of a file that queues nothing
    notice.owner = this;
    notice.path = path;
    notice.tag = tag;
    notice.doneCallback = done;
    if (urls->empty()) {
        NotifyDone(notice, -1, "DownloadFile URL is empty");
        return;
    }
    // Sizes, offsets and resume records are 32-bit: a larger file is refused, never wrapped.
    if (size > std::numeric_limits<std::int32_t>::max()) {
        NotifyDone(notice, -1, "file too large:" + Decimal(size));
        return;
    }
    if (size <= 0) {
        CreateParentFolders(localFile);
        OpenLocalFile(localFile, true);
        NotifyDone(notice, 0, std::string());
        return;
    }
    const auto fileSize = static_cast<std::int32_t>(size);
    chunkMap_.erase(localFile);
    auto queue = [&](const ChunkInfo& range) {
        QueueTask(range, path, localFile, md5, fileSize, done, progress, tag, retry, urlIndex, urls);
    };

    std::vector<ChunkInfo> ranges;
    if (!md5.empty() && ReadResumeRecord(localFile, md5, fileSize, ranges)) {
        std::int64_t missing = 0;
        for (const ChunkInfo& range : ranges) {
            queue(range);
            missing += static_cast<std::int64_t>(range.end) - range.begin + 1;
        }
        CountBytesPresent(fileSize - missing);
        return;
    }
    if (!md5.empty()) {
        std::string hex;
        std::int64_t bytes = 0;
        if (VerifyFileMd5(localFile, md5, hex, bytes)) {
            CountBytesPresent(bytes);
            NotifyDone(notice, 0, std::string());
            return;
        }
    }
    // A fresh split: nothing of an earlier file may survive between the ranges.
    CreateParentFolders(localFile);
    OpenLocalFile(localFile, true);
    for (const ChunkInfo& range : SplitIntoRanges(fileSize)) queue(range);
    if (!md5.empty()) WriteResumeRecord(localFile, md5, chunkMap_[localFile]);
}

void DownloadManager::QueueTask(const ChunkInfo& range, const std::string& path, const std::string& localFile,
                                const std::string& md5, std::int32_t size, DownloadDoneCallback done,
                                DownloadProgressCallback progress, int tag, int retry, int urlIndex,
                                const BaseUrlList& urls) {
    auto task = std::make_unique<DownloadTask>();
    task->owner = this;
    task->path = path;
    task->localFile = localFile;
    task->md5 = md5;
    task->retry = retry;
    task->urlIndex = urlIndex;
    task->tag = tag;
    task->lastFlushTick = ::GetTickCount() % 2147483647u;
    task->chunkIndex = range.index;
    task->begin = range.begin;
    task->end = range.end;
    task->fileSize = size;
    task->doneCallback = done;
    task->progressCallback = progress;
    task->urls = urls;
    RegisterChunk(*task);
    waitingTasks_.push_back(std::move(task));
}

void DownloadManager::RegisterChunk(const DownloadTask& task) {
    chunkMap_[task.localFile].push_back({task.chunkIndex, task.begin, task.end});
}

std::size_t DownloadManager::UnregisterChunk(const DownloadTask& task) {
    auto entry = chunkMap_.find(task.localFile);
    if (entry == chunkMap_.end()) return 0;
    std::vector<ChunkInfo>& list = entry->second;
    auto found = std::find_if(list.begin(), list.end(), [&](const ChunkInfo& c) { return c.index == task.chunkIndex; });
    if (found != list.end()) list.erase(found);
    return list.size();
}

void DownloadManager::CountBytesPresent(std::int64_t bytes) {
    AddDownloadedBytes(bytes);
    const std::int64_t baseline = downloadedBytes;
    LauncherContext::Instance()->downloadLog.Update(
        [baseline](DownloadLog& log) { log.downloadSize = static_cast<std::uint64_t>(baseline); });
    MaybeSendProgress();
}

void DownloadManager::AddDownloadedBytes(std::int64_t bytes) {
    downloadedBytes = std::max<std::int64_t>(0, downloadedBytes + bytes);
}

void DownloadManager::MaybeSendProgress() {
    if (paused) return;
    if (nowTick - lastProgressTick >= 1000 || downloadedBytes >= totalBytes) {
        lastProgressTick = nowTick;
        SendToMainWindow(kMsgDownloadProgress, totalBytes, downloadedBytes);
    }
}

bool DownloadManager::StartTask(DownloadTask& task, std::string& errorText) {
    errorText.clear();
    try {
        const std::int64_t cap = SpeedCapForMode(LauncherContext::Instance()->settings.Get(), speedLimitMode);
        CreateParentFolders(task.localFile);
        FinishTask(task, 0, "prepare", false);
        task.fileHandle = OpenLocalFile(task.localFile, false);
        if (!task.fileHandle) {
            errorText = "open:(" + task.localFile + ") failed,errno:" + Decimal(::GetLastError());
            return false;
        }
        if (!task.urls || task.urlIndex < 0 || static_cast<std::size_t>(task.urlIndex) >= task.urls->size()) {
            errorText = "no base URL left";
            return false;
        }
        task.easyHandle = TakePooledHandle();
        if (!task.easyHandle) {
            errorText = "curl_easy_init failed";
            return false;
        }
        std::string url = JoinUrl((*task.urls)[task.urlIndex], task.path);
        if (LauncherContext::Instance()->UseWebExtraParam.load()) url += "?t=" + std::to_string(nowTick);
        const std::string range = Decimal(task.begin) + "-" + Decimal(task.end);
        CURL* h = task.easyHandle.Get();
        curl_easy_setopt(h, CURLOPT_URL, url.c_str());
        curl_easy_setopt(h, CURLOPT_WRITEDATA, &task);
        curl_easy_setopt(h, CURLOPT_HEADERDATA, &task);
        curl_easy_setopt(h, CURLOPT_XFERINFODATA, &task);
        curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(h, CURLOPT_MAXREDIRS, 10L);
        curl_easy_setopt(h, CURLOPT_RANGE, range.c_str());
        curl_easy_setopt(h, CURLOPT_MAX_RECV_SPEED_LARGE, static_cast<curl_off_t>(cap));
        task.errorBuffer[0] = '\0';
        curl_easy_setopt(h, CURLOPT_ERRORBUFFER, task.errorBuffer);
        task.tryBegin = task.begin;
        task.announcedStart = -1;
        task.answer = AnswerUse::kUnknown;
        const CURLMcode added = curl_multi_add_handle(multiHandle_.Get(), h);
        if (added != CURLM_OK) {
            FinishTask(task, -1, "start task failed", false);
            errorText = std::string("curl_multi_add_handle:") + curl_multi_strerror(added);
            return false;
        }
        return true;
    } catch (const std::exception& e) {
        FinishTask(task, -1, "start task failed", false);
        errorText = e.what();
        Trace("start task failed:" + task.path + ":" + errorText + "\n");
        return false;
    }
}

void DownloadManager::FinishTask(DownloadTask& task, int code, const std::string& message, bool notify) {
    if (task.fileHandle) WritePending(task);
    task.pending.clear();
    task.fileHandle.Reset();
    if (task.easyHandle) {
        curl_multi_remove_handle(multiHandle_.Get(), task.easyHandle.Get());
        handlePool_.push_back(std::move(task.easyHandle));
    }
    if (code == 0 && message.empty()) DeleteLocalFile(ResumeRecordPath(task.localFile));
    if (notify) NotifyDone(task, code, message);
}

void DownloadManager::NotifyDone(const DownloadTask& task, int code, const std::string& message) {
    if (!task.doneCallback) return;
    CallGuarded(traceLog_, "done callback failed:" + task.path,
                [&] { task.doneCallback(task.tag, code, task.path, message); });
}

bool DownloadManager::IsTaskRunning(const DownloadTask* task) {
    if (!task) return false;
    kbase::AutoLock hold(runningLock_);
    return std::any_of(runningTasks_.begin(), runningTasks_.end(), [task](const TaskPtr& t) { return t.get() == task; });
}

std::size_t DownloadManager::OnTaskHeader(char* data, std::size_t size, std::size_t count, void* userdata) {
    auto* task = static_cast<DownloadTask*>(userdata);
    const std::size_t n = size * count;
    if (!task) return n;
    // Each answer of a redirect chain starts with its status line.
    if (n >= 5 && std::memcmp(data, "HTTP/", 5) == 0) task->announcedStart = -1;
    const std::int64_t start = ParseContentRangeStart(data, n);
    if (start >= 0) task->announcedStart = start;
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
        Trace("non work task:" + Decimal(reinterpret_cast<std::intptr_t>(task.fileHandle.Get())) + ":begin:" +
              Decimal(task.begin) + ":end:" + Decimal(task.end) + "\n");
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
    const std::int64_t received = static_cast<std::int64_t>(task.begin) + static_cast<std::int64_t>(task.pending.size());
    const std::int64_t left = static_cast<std::int64_t>(task.end) + 1 - received;
    const auto n = static_cast<std::size_t>(std::clamp<std::int64_t>(static_cast<std::int64_t>(bytes), 0, std::max<std::int64_t>(left, 0)));
    if (n == 0) return 0;
    task.pending.append(data, n);
    AddDownloadedBytes(static_cast<std::int64_t>(n));
    MaybeSendProgress();

    const bool rangeComplete = n == static_cast<std::size_t>(left);
    const bool flushDue = nowTick - task.lastFlushTick >= kFlushIntervalMs || rangeComplete;
    if (task.pending.size() < kWriteBatch && !flushDue) return n;
    if (!WritePending(task)) return 0;  // later bytes would land at the wrong offset: end this try
    if (!flushDue) return n;
    task.lastFlushTick = nowTick;
    ::FlushFileBuffers(task.fileHandle.Get());
    if (!task.md5.empty()) {
        kbase::AutoLock hold(task.lock);
        auto entry = chunkMap_.find(task.localFile);
        if (entry != chunkMap_.end()) {
            for (ChunkInfo& chunk : entry->second) {
                if (chunk.index == task.chunkIndex) {
                    chunk.begin = task.begin;
                    chunk.end = task.end;
                }
            }
            WriteResumeRecord(task.localFile, task.md5, entry->second);
        }
    }
    return n;
}

bool DownloadManager::WritePending(DownloadTask& task) {
    if (task.pending.empty()) return true;
    const std::string size = Decimal(static_cast<std::int64_t>(task.pending.size()));
    const auto failure = [&](const char* what) {
        Trace(what + task.path + ":" + size + ":begin:" + Decimal(task.begin) + ":end:" + Decimal(task.end) +
              ":errno:" + Decimal(::GetLastError()) + "\n");
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
    if (!ok || written != task.pending.size()) return failure("recv write failed:");
    task.pending.clear();
    return true;
}

void DownloadManager::OnTransferDone(CURL* handle, CURLcode result) {
    TaskPtr task;
    {
        kbase::AutoLock hold(runningLock_);
        auto found = std::find_if(runningTasks_.begin(), runningTasks_.end(),
                                  [handle](const TaskPtr& t) { return t->easyHandle.Get() == handle; });
        if (found != runningTasks_.end()) {
            task = std::move(*found);
            runningTasks_.erase(found);
        }
    }
    if (!task) {
        Trace("handle task but not found:" + Decimal(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(handle))) +
              "\n");
        return;
    }
    long status = 0;
    curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
    FinishTask(*task, 0, "post", false);
    const bool advanced = task->begin > task->tryBegin;

    if (task->Finished()) {
        OnRangeEnded(std::move(task));
        return;
    }
    if (result == CURLE_OK && (status == 200 || status == 206)) {
        // The server ended the answer early: the range goes on from where it stopped.
        Trace(task->path + ":" + Decimal(task->begin) + "<=" + Decimal(task->end) + "\n");
        RequeueOrFail(std::move(task), -1, "incomplete:");
        return;
    }
    // A slow or capped line that still moves is not a failing server: its try starts over
    // without being counted.
    if (result == CURLE_OPERATION_TIMEDOUT && advanced) {
        waitingTasks_.push_back(std::move(task));
        return;
    }
    std::string text = Decimal(result) + "," + Decimal(status);
    if (task->errorBuffer[0] != '\0') text += std::string(",") + task->errorBuffer;
    RequeueOrFail(std::move(task), -3, text);
}

void DownloadManager::RequeueOrFail(TaskPtr task, int code, const std::string& message) {
    const std::size_t urlCount = task->urls ? task->urls->size() : 0;
    if (AdvanceRetry(task->retry, task->urlIndex, urlCount)) {
        waitingTasks_.push_back(std::move(task));
        return;
    }
    if (code == -1) {
        FinishTask(*task, -1, message + Decimal(task->begin) + "-" + Decimal(task->end), running);
        return;
    }
    Trace(task->path + ":" + message + "\n");
    FinishTask(*task, code, message, running);
}

void DownloadManager::OnRangeEnded(TaskPtr task) {
    switch (CheckTaskComplete(*task)) {
        case 1:
            FinishTask(*task, 0, std::string(), running);
            break;
        case 0:
            FinishTask(*task, 0, "waiting", false);
            break;
        default:
            RetryAfterMd5Mismatch(std::move(task));
            break;
    }
}

int DownloadManager::CheckTaskComplete(DownloadTask& task) {
    if (UnregisterChunk(task) > 0) return 0;
    chunkMap_.erase(task.localFile);
    if (task.md5.empty()) return 1;
    std::string hex;
    std::int64_t bytes = 0;
    if (VerifyFileMd5(task.localFile, task.md5, hex, bytes)) return 1;
    Trace(task.path + ":" + task.md5 + "!=" + hex + "\n");
    return -2;
}

void DownloadManager::RetryAfterMd5Mismatch(TaskPtr task) {
    const std::size_t urlCount = task->urls ? task->urls->size() : 0;
    if (!AdvanceRetry(task->retry, task->urlIndex, urlCount)) {
        FinishTask(*task, -4, "check md5 error", running);
        return;
    }
    DeleteLocalFile(task->localFile);
    DeleteLocalFile(ResumeRecordPath(task->localFile));
    DownloadFileFrom(task->urls, task->path, task->localFile, task->md5, task->fileSize, task->doneCallback,
                     task->progressCallback, task->tag, task->retry, task->urlIndex);
    AddDownloadedBytes(-static_cast<std::int64_t>(task->fileSize));
    MaybeSendProgress();
    FinishTask(*task, 0, "replace", false);
}
