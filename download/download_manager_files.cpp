#include "download/download_manager.h"

#include <windows.h>

#include <algorithm>
#include <exception>
#include <limits>
#include <string>
#include <utility>

#include "app/launcher_context.h"
#include "app/launcher_messages.h"
#include "app/md5.h"
#include "app/url_encode.h"
#include "download/file_ranges.h"
#include "download/guarded_call.h"
#include "download/join_url.h"
#include "download/local_file.h"
#include "download/resume_record.h"
#include "download/speed_math.h"

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
        NotifyDone(notice, DownloadResult::kNoBaseUrl, "DownloadFile URL is empty");
        return;
    }
    // Sizes, offsets and resume records are 32-bit: a larger file is refused, never wrapped.
    if (size > std::numeric_limits<std::int32_t>::max()) {
        NotifyDone(notice, DownloadResult::kNoBaseUrl, "file too large:" + std::to_string(size));
        return;
    }
    if (size <= 0) {
        // Nothing is fetched for no bytes: the empty file is right only when the MD5 (if any) is
        // that of no bytes. A map without sizes reads as size 0 and must not install empty files.
        if (!md5.empty() && md5 != Md5Context().HexDigest()) {
            NotifyDone(notice, DownloadResult::kMd5Mismatch, kMd5MismatchMessage);
            return;
        }
        CreateParentFolders(localFile);
        OpenLocalFile(localFile, true);
        NotifyDone(notice, DownloadResult::kSuccess, std::string());
        return;
    }
    const auto fileSize = static_cast<std::int32_t>(size);
    chunkMap_.erase(localFile);
    DropFileCheck(localFile);
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
        StartFileCheck(localFile, md5, fileSize);  // what the last run wrote is hashed at once
        return;
    }
    if (!md5.empty()) {
        std::string hex;
        std::int64_t bytes = 0;
        if (VerifyFileMd5(localFile, md5, hex, bytes)) {
            CountBytesPresent(bytes);
            NotifyDone(notice, DownloadResult::kSuccess, std::string());
            return;
        }
    }
    // A fresh split: nothing of an earlier file may survive between the ranges.
    CreateParentFolders(localFile);
    OpenLocalFile(localFile, true);
    for (const ChunkInfo& range : SplitIntoRanges(fileSize)) queue(range);
    if (md5.empty()) return;
    WriteResumeRecord(localFile, md5, chunkMap_[localFile]);
    StartFileCheck(localFile, md5, fileSize);
}

void DownloadManager::StartFileCheck(const std::string& localFile, const std::string& md5, std::int32_t size) {
    fileChecks_[localFile] = std::make_shared<FileCheck>(localFile, md5, size);
    AdvanceFileCheck(localFile);
}

void DownloadManager::DropFileCheck(const std::string& localFile) {
    const auto check = fileChecks_.find(localFile);
    if (check == fileChecks_.end()) return;
    checkPool_.Cancel(check->second);
    fileChecks_.erase(check);
    checkingTasks_.remove_if([&localFile](const TaskPtr& task) { return task->localFile == localFile; });
}

void DownloadManager::AdvanceFileCheck(const std::string& localFile) {
    const auto check = fileChecks_.find(localFile);
    if (check == fileChecks_.end()) return;
    // With no range registered every byte is final: the check runs to the end of the file.
    std::int64_t final = std::numeric_limits<std::int64_t>::max();
    if (const auto ranges = chunkMap_.find(localFile); ranges != chunkMap_.end()) {
        for (const ChunkInfo& range : ranges->second) final = std::min<std::int64_t>(final, range.begin);
    }
    if (check->second->SetFinalBytes(final)) checkPool_.Schedule(check->second);
}

void DownloadManager::ReportCheckedFiles() {
    const auto checked = [this](const TaskPtr& task) { return fileChecks_.at(task->localFile)->Verdict().has_value(); };
    for (auto found = std::find_if(checkingTasks_.begin(), checkingTasks_.end(), checked);
         found != checkingTasks_.end(); found = std::find_if(checkingTasks_.begin(), checkingTasks_.end(), checked)) {
        TaskPtr task = std::move(*found);
        checkingTasks_.erase(found);
        const std::shared_ptr<FileCheck> check = std::move(fileChecks_.extract(task->localFile).mapped());
        if (*check->Verdict()) {
            EndFile(*task, DownloadResult::kSuccess, std::string());
            continue;
        }
        Trace(task->path + ":" + task->md5 + "!=" + check->Digest() + "\n");
        RetryAfterMd5Mismatch(std::move(task));
    }
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
        ReleaseTask(task);
        task.fileHandle = OpenLocalFile(task.localFile, false);
        if (!task.fileHandle) {
            errorText = "open:(" + task.localFile + ") failed,errno:" + std::to_string(::GetLastError());
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
        // The path names a file as the server lists it (UTF-8, blanks and all).
        std::string url = JoinUrl((*task.urls)[task.urlIndex], PercentEncodePath(task.path));
        if (LauncherContext::Instance()->UseWebExtraParam.load()) url += "?t=" + std::to_string(nowTick);
        const std::string range = std::to_string(task.begin) + "-" + std::to_string(task.end);
        CURL* h = task.easyHandle.Get();
        curl_easy_setopt(h, CURLOPT_URL, url.c_str());
        curl_easy_setopt(h, CURLOPT_WRITEDATA, &task);
        curl_easy_setopt(h, CURLOPT_HEADERDATA, &task);
        curl_easy_setopt(h, CURLOPT_XFERINFODATA, &task);
        curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(h, CURLOPT_MAXREDIRS, 10L);
        curl_easy_setopt(h, CURLOPT_RANGE, range.c_str());
        curl_easy_setopt(h, CURLOPT_MAX_RECV_SPEED_LARGE, static_cast<curl_off_t>(cap));
        curl_easy_setopt(h, CURLOPT_TIMEOUT, transferTimeoutSeconds);
        task.errorBuffer[0] = '\0';
        curl_easy_setopt(h, CURLOPT_ERRORBUFFER, task.errorBuffer);
        task.tryBegin = task.begin;
        task.announcedStart = -1;
        task.answer = AnswerUse::kUnknown;
        task.pausedDuringTry = false;
        if (const auto check = fileChecks_.find(task.localFile); check != fileChecks_.end()) {
            std::optional<std::uint32_t>& clock = check->second->lastFlushTick;
            if (!clock) clock = nowTick;
        }
        const CURLMcode added = curl_multi_add_handle(multiHandle_.Get(), h);
        if (added != CURLM_OK) {
            ReleaseTask(task);
            errorText = std::string("curl_multi_add_handle:") + curl_multi_strerror(added);
            return false;
        }
        return true;
    } catch (const std::exception& e) {
        ReleaseTask(task);
        errorText = e.what();
        Trace("start task failed:" + task.path + ":" + errorText + "\n");
        return false;
    }
}

void DownloadManager::ReleaseTask(DownloadTask& task) {
    if (task.fileHandle) WritePending(task);
    task.pending.clear();
    task.fileHandle.Reset();
    if (task.easyHandle) {
        curl_multi_remove_handle(multiHandle_.Get(), task.easyHandle.Get());
        handlePool_.push_back(std::move(task.easyHandle));
    }
}

void DownloadManager::EndFile(DownloadTask& task, DownloadResult result, const std::string& message) {
    ReleaseTask(task);
    if (result == DownloadResult::kSuccess) DeleteLocalFile(ResumeRecordPath(task.localFile));
    if (running) NotifyDone(task, result, message);
}

void DownloadManager::NotifyDone(const DownloadTask& task, DownloadResult result, const std::string& message) {
    if (!task.doneCallback) return;
    CallGuarded(traceLog_, "done callback failed:" + task.path,
                [&] { task.doneCallback(task.tag, result, task.path, message); });
}

bool DownloadManager::IsTaskRunning(const DownloadTask* task) {
    if (!task) return false;
    kbase::AutoLock hold(runningLock_);
    return std::any_of(runningTasks_.begin(), runningTasks_.end(),
                       [task](const TaskPtr& running) { return running.get() == task; });
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
        const auto low = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(handle));
        Trace("handle task but not found:" + std::to_string(low) + "\n");
        return;
    }
    long status = 0;
    curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
    ReleaseTask(*task);
    const bool advanced = task->begin > task->tryBegin;

    if (task->Finished()) {
        CheckTaskComplete(std::move(task));
        return;
    }
    if (result == CURLE_OK && (status == 200 || status == 206)) {
        // The server ended the answer early: the range goes on from where it stopped.
        Trace(task->path + ":" + std::to_string(task->begin) + "<=" + std::to_string(task->end) + "\n");
        RequeueOrFail(std::move(task), DownloadResult::kNoBaseUrl, "incomplete:");
        return;
    }
    // A slow or capped line that still moves is not a failing server, and a try that a pause
    // held up may have outlasted libcurl's or the server's patience: such a try starts over
    // without being counted, so that no pause, however long, fails a download.
    if ((result == CURLE_OPERATION_TIMEDOUT && advanced) || task->pausedDuringTry) {
        waitingTasks_.push_back(std::move(task));
        return;
    }
    std::string text = std::to_string(result) + "," + std::to_string(status);
    if (task->errorBuffer[0] != '\0') text += std::string(",") + task->errorBuffer;
    RequeueOrFail(std::move(task), DownloadResult::kTransferFailed, text);
}

void DownloadManager::RequeueOrFail(TaskPtr task, DownloadResult result, const std::string& message) {
    const std::size_t urlCount = task->urls ? task->urls->size() : 0;
    if (AdvanceRetry(task->retry, task->urlIndex, urlCount)) {
        waitingTasks_.push_back(std::move(task));
        return;
    }
    if (result == DownloadResult::kNoBaseUrl) {
        EndFile(*task, result, message + std::to_string(task->begin) + "-" + std::to_string(task->end));
        return;
    }
    Trace(task->path + ":" + message + "\n");
    EndFile(*task, result, message);
}

void DownloadManager::CheckTaskComplete(TaskPtr task) {
    if (UnregisterChunk(*task) > 0) {
        AdvanceFileCheck(task->localFile);
        ReleaseTask(*task);
        return;
    }
    chunkMap_.erase(task->localFile);
    if (task->md5.empty()) {
        EndFile(*task, DownloadResult::kSuccess, std::string());
        return;
    }
    // The check has hashed the file's bytes as they became final, so its verdict follows soon;
    // ReportCheckedFiles reports the file only then. A file queued again meanwhile may have
    // taken the check with it.
    if (!fileChecks_.contains(task->localFile)) StartFileCheck(task->localFile, task->md5, task->fileSize);
    AdvanceFileCheck(task->localFile);
    checkingTasks_.push_back(std::move(task));
}

void DownloadManager::RetryAfterMd5Mismatch(TaskPtr task) {
    const std::size_t urlCount = task->urls ? task->urls->size() : 0;
    if (!AdvanceRetry(task->retry, task->urlIndex, urlCount)) {
        EndFile(*task, DownloadResult::kMd5Mismatch, kMd5MismatchMessage);
        return;
    }
    DeleteLocalFile(task->localFile);
    DeleteLocalFile(ResumeRecordPath(task->localFile));
    DownloadFileFrom(task->urls, task->path, task->localFile, task->md5, task->fileSize, task->doneCallback,
                     task->progressCallback, task->tag, task->retry, task->urlIndex);
    AddDownloadedBytes(-static_cast<std::int64_t>(task->fileSize));
    MaybeSendProgress();
    ReleaseTask(*task);
}
