#include "download/download_manager.h"

#include <winsock2.h>

#include <algorithm>
#include <thread>
#include <utility>

#include "app/builtin_endpoints.h"
#include "app/file_util.h"
#include "app/launcher_context.h"

namespace {

constexpr int kPoolSize = 5;
constexpr std::size_t kMaxRunningTasks = 5;
constexpr int kMaxIdleWaits = 5;
constexpr long kSocketWaitMicroseconds = 500;

// MD5 runs at about the speed of a fast line on one core: a few helpers keep up with several
// files at once and leave cores to the transfers.
unsigned FileCheckThreads() {
    return std::clamp(std::thread::hardware_concurrency() / 2, 1u, 4u);
}

}  // namespace

DownloadManager& DownloadManager::Instance() {
    static DownloadManager manager;
    return manager;
}

DownloadManager::DownloadManager() : checkPool_(FileCheckThreads()) {
    CurlGlobalInit();
}

DownloadManager::~DownloadManager() {
    running = false;
    CancelAll(0);
}

void DownloadManager::Init() {
    adjustUrl = BuiltinActivityUrl();
    trackUrl = BuiltinTrackUrl();
    const EndpointConfig endpoints = LauncherContext::Instance()->endpoints;
    gateUrls = endpoints.GateURLs.empty() ? BuiltinGateUrls() : endpoints.GateURLs;
    multiHandle_.Reset(curl_multi_init());
    curl_multi_setopt(multiHandle_.Get(), CURLMOPT_PIPELINING, CURLPIPE_MULTIPLEX);
    totalBytes = 0;
    downloadedBytes = 0;
    running = true;
    paused = false;
    retriesPerUrl = 3;
    speedLimitMode = 0;
    nowTick = 0;
    postResponse_.clear();
    if (!endpoints.TrackURL.empty()) trackUrl = endpoints.TrackURL;
    FillHandlePool();
    traceLog_.Reset(NormalizePath(GetSaveDir(), true) + "dltrace.log");
}

void DownloadManager::FillHandlePool() {
    for (int i = 0; i < kPoolSize; ++i) {
        CurlEasy handle(curl_easy_init());
        if (!handle) continue;
        CURL* h = handle.Get();
        curl_easy_setopt(h, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_2_0));
        curl_easy_setopt(h, CURLOPT_PIPEWAIT, 1L);
        curl_easy_setopt(h, CURLOPT_SSL_VERIFYPEER, 0L);
        curl_easy_setopt(h, CURLOPT_SSL_VERIFYHOST, 0L);
        curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &DownloadManager::OnTaskData);
        curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, &DownloadManager::OnTaskHeader);
        curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, 10L);
        curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, &DownloadManager::OnTaskProgress);
        curl_easy_setopt(h, CURLOPT_BUFFERSIZE, 500000L);
        curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(h, CURLOPT_MAXREDIRS, 10L);
        handlePool_.push_back(std::move(handle));
    }
}

CurlEasy DownloadManager::TakePooledHandle() {
    if (handlePool_.empty()) FillHandlePool();
    if (handlePool_.empty()) return CurlEasy();
    CurlEasy handle = std::move(handlePool_.front());
    handlePool_.pop_front();
    return handle;
}

bool DownloadManager::AdvanceRetry(std::int32_t& retry, std::int32_t& urlIndex, std::size_t urlCount) const {
    if (++retry >= retriesPerUrl) {
        retry = 0;
        ++urlIndex;
    }
    return urlIndex >= 0 && static_cast<std::size_t>(urlIndex) < urlCount;
}

void DownloadManager::Tick() {
    const bool inHand = !waitingTasks_.empty() || !runningTasks_.empty() || !checkingTasks_.empty();
    if (inHand && !timerResolution_) timerResolution_.emplace();
    if (!inHand) timerResolution_.reset();
    if (!inHand || !running) return;
    RefreshNowTick();
    ReportCheckedFiles();
    CURLM* multi = multiHandle_.Get();
    int stillRunning = 0;
    curl_multi_perform(multi, &stillRunning);

    int idle = 0;
    while (running && stillRunning != 0) {
        fd_set readSet, writeSet, exceptSet;
        FD_ZERO(&readSet);
        FD_ZERO(&writeSet);
        FD_ZERO(&exceptSet);
        int maxFd = -1;
        if (curl_multi_fdset(multi, &readSet, &writeSet, &exceptSet, &maxFd) != CURLM_OK) return;
        timeval wait{0, kSocketWaitMicroseconds};
        if (maxFd < 0 || ::select(maxFd + 1, &readSet, &writeSet, &exceptSet, &wait) <= 0) {
            ++idle;
        } else {
            curl_multi_perform(multi, &stillRunning);
        }
        // While transfers are still going the wave goes on in a later tick.
        if (idle > kMaxIdleWaits) return;
    }

    if (running) {
        int queued = 0;
        while (running) {
            CURLMsg* message = curl_multi_info_read(multi, &queued);
            if (!message) break;
            if (message->msg != CURLMSG_DONE) continue;
            // The message dies with its handle's removal: take what is needed first.
            CURL* handle = message->easy_handle;
            const CURLcode result = message->data.result;
            OnTransferDone(handle, result);
        }
    }
    StartWaitingTasks();
}

void DownloadManager::StartWaitingTasks() {
    std::string errorText;
    while (running && !paused && !waitingTasks_.empty()) {
        {
            kbase::AutoLock hold(runningLock_);
            if (runningTasks_.size() >= kMaxRunningTasks) return;
        }
        TaskPtr task = std::move(waitingTasks_.front());
        waitingTasks_.pop_front();
        if (StartTask(*task, errorText)) {
            kbase::AutoLock hold(runningLock_);
            runningTasks_.push_back(std::move(task));
            continue;
        }
        const std::size_t urlCount = task->urls ? task->urls->size() : 0;
        if (AdvanceRetry(task->retry, task->urlIndex, urlCount)) {
            waitingTasks_.push_back(std::move(task));
        } else {
            EndFile(*task, DownloadResult::kEveryTryFailed, errorText);
        }
    }
}

void DownloadManager::CancelAll(int mode) {
    // No check may touch a file or a record once this returns.
    while (!fileChecks_.empty()) DropFileCheck(fileChecks_.begin()->first);
    {
        kbase::AutoLock hold(runningLock_);
        for (TaskPtr& task : runningTasks_) {
            UnregisterChunk(*task);
            ReleaseTask(*task);
        }
        runningTasks_.clear();
    }
    for (TaskPtr& task : waitingTasks_) {
        UnregisterChunk(*task);
        ReleaseTask(*task);
    }
    waitingTasks_.clear();
    chunkMap_.clear();
    paused = false;
    totalBytes = 0;
    downloadedBytes = 0;
    speedSamples.clear();
    lastProgressTick = 0;
    lastSampleTick = 0;
    ResetSpeedStats();
    speedLimitMode = mode;
}

void DownloadManager::SetDlcUrls(const std::vector<std::string>& list) {
    dlcUrls = DlcUrlsFrom(list);
}

std::vector<std::string> DownloadManager::DlcUrlsFrom(const std::vector<std::string>& list) const {
    const std::vector<std::string>& configured = LauncherContext::Instance()->endpoints.DlcURLs;
    return configured.empty() ? list : configured;
}

void DownloadManager::Shutdown() {
    running = false;
    paused = true;
    CancelAll(0);
    trackingQueue_.clear();
    syncRequests_.clear();
    handlePool_.clear();
    checkPool_.Stop();
    timerResolution_.reset();
}

void DownloadManager::SendToMainWindow(unsigned message, std::int64_t w, std::int64_t l) const {
    LauncherContext::Instance()->SendToMainWindow(message, static_cast<WPARAM>(w), static_cast<LPARAM>(l));
}
