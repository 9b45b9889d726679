#pragma once

// The launcher's one transfer engine: files in resumable, MD5-checked ranges driven by a multi
// handle on the worker thread, synchronous requests into memory, probes and JSON posts, pause
// and speed caps, speed statistics and the trace log, and the queue of tracking records.
//
// Threads: everything runs on the worker thread except Stop and ApplySpeedLimit (any thread;
// the cap change is carried out on the worker) and the reads of `paused`. The whole-file MD5
// checks, flushes and resume-record rewrites of files in transfer run on helper threads
// (FileCheckPool), so that the transfer loop never waits for a disk or a digest.
//
// The methods are spread over files by concern:
//   download_manager.cpp           set-up, shutdown, the transfer loop, cancelling, base URLs
//   download_manager_files.cpp     file downloads, ranges, resume records, checks
//   download_manager_transfer.cpp  what a running transfer receives: headers and body
//   download_manager_requests.cpp  synchronous requests, probes and posts
//   download_manager_speed.cpp     pause, speed caps, statistics, the trace log
//   download_manager_tracking.cpp  the tracking queue

#include <windows.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <list>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <curl/curl.h>

#include "base/lock.h"
#include "base/timer_resolution.h"
#include "download/curl_handles.h"
#include "download/download_callbacks.h"
#include "download/download_task.h"
#include "download/file_check.h"
#include "download/file_check_pool.h"
#include "download/trace_log.h"

class DownloadManager {
public:
    // The process-wide manager, made on first use.
    static DownloadManager& Instance();

    // Empty and stopped until Init. Tests make their own.
    DownloadManager();
    ~DownloadManager();
    DownloadManager(const DownloadManager&) = delete;
    DownloadManager& operator=(const DownloadManager&) = delete;

    // ---- Set-up, loop and end (download_manager.cpp).
    // Endpoints, handles, the multi handle; empties the trace log. Once, at the worker's start.
    void Init();
    // Advances the transfers: reports the files whose check has ended, waits on the sockets
    // while data flows, and once every transfer of the wave has ended, handles the finished ones
    // and starts up to five waiting ones.
    void Tick();
    // Drops every transfer and queued file without a callback (resume records stay) and
    // resets the statistics; mode chooses the speed cap of what is queued next.
    void CancelAll(int mode);
    // The content base URLs: DlcUrlsFrom(list).
    void SetDlcUrls(const std::vector<std::string>& list);
    // The content base URLs a gate's list gives: the endpoint file's, when it names any, else list.
    std::vector<std::string> DlcUrlsFrom(const std::vector<std::string>& list) const;
    // Stops and releases everything: transfers, queued records, requests, pooled handles.
    void Shutdown();
    // Any thread: no start, write or callback happens any more.
    void Stop() { running = false; }

    // ---- Files (download_manager_files.cpp).
    // Queues path (the file as the server names it, UTF-8), fetched under the active base URLs,
    // into localFile (UTF-8). The outcome arrives through done, possibly before this returns.
    // retry and urlIndex carry a retry's counters.
    void DownloadFile(const std::string& path, const std::string& localFile, const std::string& md5,
                      std::int64_t size, DownloadDoneCallback done, DownloadProgressCallback progress, int tag,
                      int retry = 0, int urlIndex = 0);

    // ---- Synchronous requests (download_manager_requests.cpp). Each calls back before it
    // returns, and only while running.
    // path under the active base URLs into memory, with retries; the body is checked as JSON.
    // False only when there is no base URL.
    bool DownloadMemory(const std::string& path, const std::string& postBody, RequestDoneCallback done, int tag);
    // One absolute URL into memory, one try. Always true.
    bool RequestUrl(const std::string& url, const std::string& postBody, RequestDoneCallback done, int tag);
    // Whether path exists under the active base URLs. False, without a callback, when there
    // is no base URL.
    bool ProbeFile(const std::string& path, const std::string& postBody, ProbeDoneCallback done, int tag);
    // Sends one record, once, and reads nothing back. To adjustUrl as a GET whose query is the
    // body, elsewhere as a JSON POST.
    void PostJson(const std::string& body, const std::string& url);

    // ---- Pause, speed and statistics (download_manager_speed.cpp).
    // The user's pause button: pauses every transfer, or resumes when already paused.
    void TogglePause();
    void Resume();
    // Any thread: applies the settings' cap of mode to the running transfers when mode is the
    // one in force; carried out on the worker thread.
    void ApplySpeedLimit(int mode);
    // One transfer's speed, from the callers' progress callbacks; at most once a second the
    // batch speed goes to the main window.
    void AddSpeedSample(double bytesPerSecond);
    void TrackDownloadStatus(const std::string& actionType);
    void TrackDownloadSummary(const std::string& actionId, const std::string& eventName, bool onlyWhenMoving);
    void ResetSpeedStats();
    void Trace(const std::string& line) const { traceLog_.Append(line); }

    // ---- Tracking records (download_manager_tracking.cpp).
    // Sends body to url now, or queues it for FlushTracking.
    void Track(const std::string& body, const std::string& url, bool now);
    // Sends the oldest queued record of the first URL (in byte order) that has one.
    void FlushTracking();

    // ---- State that the update states and windows read or set.
    std::atomic<bool> running{false};
    std::atomic<bool> paused{false};
    std::int32_t retriesPerUrl = 0;
    long transferTimeoutSeconds = 240;  // libcurl's limit on one try of a range
    std::int32_t speedLimitMode = 0;  // 0 game downloads, 1 pre-download
    std::vector<std::string> gateUrls;
    std::vector<std::string> dlcUrls;
    std::vector<std::string> activeUrls;  // what the next request or queued file uses
    std::int64_t totalBytes = 0;          // of the current batch, set by its starter
    std::int64_t downloadedBytes = 0;
    std::int64_t currentSpeed = 0;
    std::int64_t minSpeed = 0;
    std::int64_t maxSpeed = 0;
    std::int64_t bytesAtLastSample = 0;
    std::string minSpeedFile;
    std::string lastProgressFile;
    std::uint32_t lastProgressTick = 0;
    std::deque<double> speedSamples;
    std::uint32_t lastSampleTick = 0;
    std::uint32_t nowTick = 0;
    std::uint32_t statsStartTick = 0;
    std::string trackUrl;
    std::string adjustUrl;

private:
    using TaskPtr = std::unique_ptr<DownloadTask>;

    // ---- download_manager.cpp
    void FillHandlePool();
    CurlEasy TakePooledHandle();
    // Counts a failed try; false when no base URL is left.
    bool AdvanceRetry(std::int32_t& retry, std::int32_t& urlIndex, std::size_t urlCount) const;
    void StartWaitingTasks();
    void SendToMainWindow(unsigned message, std::int64_t w, std::int64_t l) const;
    // A wave can keep one Tick busy for minutes: the once-a-second rules inside it (records,
    // progress and speed messages) read the clock again.
    void RefreshNowTick() { nowTick = ::GetTickCount() % 2147483647u; }

    // ---- download_manager_files.cpp
    void StartFileCheck(const std::string& localFile, const std::string& md5, std::int32_t size);
    // Stops the file's check, and forgets the range that waited for it.
    void DropFileCheck(const std::string& localFile);
    // Tells the file's check how much of the file is final: everything before the first byte
    // that a registered range still has to write.
    void AdvanceFileCheck(const std::string& localFile);
    // Reports the files whose check has ended, one at a time (a callback may cancel the rest).
    void ReportCheckedFiles();
    void QueueTask(const ChunkInfo& range, const std::string& path, const std::string& localFile,
                   const std::string& md5, std::int32_t size, DownloadDoneCallback done,
                   DownloadProgressCallback progress, int tag, int retry, int urlIndex, const BaseUrlList& urls);
    void DownloadFileFrom(const BaseUrlList& urls, const std::string& path, const std::string& localFile,
                          const std::string& md5, std::int64_t size, DownloadDoneCallback done,
                          DownloadProgressCallback progress, int tag, int retry, int urlIndex);
    void RegisterChunk(const DownloadTask& task);
    // The ranges of the task's file still registered after this one left.
    std::size_t UnregisterChunk(const DownloadTask& task);
    bool StartTask(DownloadTask& task, std::string& errorText);
    // A try of the task's range has ended (the range goes on later, or not at all): writes what
    // it holds, closes its file and returns its handle to the pool.
    void ReleaseTask(DownloadTask& task);
    // The end of the task's file: releases the task, deletes a complete file's resume record and,
    // while running, tells the caller.
    void EndFile(DownloadTask& task, DownloadResult result, const std::string& message);
    void NotifyDone(const DownloadTask& task, DownloadResult result, const std::string& message);
    bool IsTaskRunning(const DownloadTask* task);
    void OnTransferDone(CURL* handle, CURLcode result);
    // A range is complete: the file waits for its other ranges, is done, or goes to its check.
    void CheckTaskComplete(TaskPtr task);
    void RetryAfterMd5Mismatch(TaskPtr task);
    void RequeueOrFail(TaskPtr task, DownloadResult result, const std::string& message);
    void CountBytesPresent(std::int64_t bytes);
    void AddDownloadedBytes(std::int64_t bytes);
    void MaybeSendProgress();
    AnswerUse ClassifyAnswer(DownloadTask& task);
    std::size_t WriteTaskData(DownloadTask& task, const char* data, std::size_t bytes);
    // Writes the task's pending bytes at begin and advances it and its registered range; false
    // (traced) on failure.
    bool WritePending(DownloadTask& task);
    static std::size_t OnTaskData(char* data, std::size_t size, std::size_t count, void* task);
    static std::size_t OnTaskHeader(char* data, std::size_t size, std::size_t count, void* task);

    // ---- download_manager_requests.cpp
    CURL* AddSyncRequest();
    void RemoveSyncRequest(CURL* handle);
    void SetRequestOptions(CURL* handle, const std::string& url, const std::string& postBody, long connectTimeout,
                           long totalTimeout) const;

    // ---- download_manager_speed.cpp
    void ApplySpeedLimitNow(int mode);
    void ReportTaskProgress(DownloadTask& task);
    static int OnTaskProgress(void* task, curl_off_t, curl_off_t, curl_off_t, curl_off_t);

    CurlMulti multiHandle_;
    std::deque<TaskPtr> waitingTasks_;
    std::list<TaskPtr> runningTasks_;  // under runningLock_
    std::list<TaskPtr> checkingTasks_;  // the last range of each file whose check runs
    std::list<CurlEasy> syncRequests_;
    std::deque<CurlEasy> handlePool_;
    kbase::Lock runningLock_;
    std::map<std::string, std::vector<ChunkInfo>> chunkMap_;
    std::map<std::string, std::shared_ptr<FileCheck>> fileChecks_;  // files with an MD5 in hand
    FileCheckPool checkPool_;
    std::optional<kbase::TimerResolutionRequest> timerResolution_;  // while files are in hand
    TraceLog traceLog_;
    std::string postResponse_;
    std::map<std::string, std::deque<std::string>> trackingQueue_;
};
