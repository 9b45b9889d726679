#include "download/download_manager.h"

#include <windows.h>

#include <cstdio>

#include "app/launcher_context.h"
#include "app/launcher_messages.h"
#include "app/thread_ids.h"
#include "base/thread_registry.h"
#include "download/guarded_call.h"
#include "download/speed_math.h"

namespace {

constexpr std::size_t kMaxSpeedSamples = 60;
constexpr std::size_t kSamplesBeforeMinSpeed = 30;
constexpr std::int64_t kMinSpeedReset = 100000000000;

std::string Format3(double value) {
    char text[64];
    std::snprintf(text, sizeof(text), "%.3f", value);
    return text;
}

float SecondsSince(std::uint32_t startTick) {
    return static_cast<float>(::GetTickCount() - startTick) * 0.001f;
}

}  // namespace

void DownloadManager::TogglePause() {
    if (paused) {
        Resume();
        return;
    }
    paused = true;
    {
        kbase::AutoLock hold(runningLock_);
        for (const TaskPtr& task : runningTasks_) {
            curl_easy_pause(task->easyHandle.Get(), CURLPAUSE_ALL);
            task->pausedDuringTry = true;
        }
    }
    SendToMainWindow(kMsgDownloadPaused, 0, 1);
    TrackDownloadStatus("pause");
    TrackDownloadSummary("15", "click_launch_pause_game", true);
}

void DownloadManager::Resume() {
    paused = false;
    {
        kbase::AutoLock hold(runningLock_);
        for (const TaskPtr& task : runningTasks_) curl_easy_pause(task->easyHandle.Get(), CURLPAUSE_CONT);
    }
    ResetSpeedStats();
    LauncherContext* context = LauncherContext::Instance();
    context->TrackLauncherDetail("16", "", "", "");
    context->TrackActivity("click_launch_continue_download_game", "", "", "");
    SendToMainWindow(kMsgDownloadPaused, 0, 0);
}

void DownloadManager::ApplySpeedLimit(int mode) {
    // The handles and the samples belong to the worker: the change is carried out there. With
    // no worker running, nothing else touches them.
    auto* registry = kbase::ThreadRegistry::GetInstance();
    if (registry->GetCurrentThreadIdentifier() == kWorkerThreadId ||
        !registry->PostTask(kWorkerThreadId, [this, mode] { ApplySpeedLimitNow(mode); })) {
        ApplySpeedLimitNow(mode);
    }
}

void DownloadManager::ApplySpeedLimitNow(int mode) {
    if (mode != speedLimitMode) return;
    const auto cap = static_cast<curl_off_t>(SpeedCapForMode(LauncherContext::Instance()->settings.Get(), mode));
    {
        kbase::AutoLock hold(runningLock_);
        for (const TaskPtr& task : runningTasks_) {
            curl_easy_setopt(task->easyHandle.Get(), CURLOPT_MAX_RECV_SPEED_LARGE, cap);
        }
    }
    speedSamples.clear();
}

int DownloadManager::OnTaskProgress(void* userdata, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    auto* task = static_cast<DownloadTask*>(userdata);
    if (task && task->owner) task->owner->ReportTaskProgress(*task);
    return 0;
}

void DownloadManager::ReportTaskProgress(DownloadTask& task) {
    if (!IsTaskRunning(&task)) return;
    RefreshNowTick();
    curl_off_t speed = 0;
    if (curl_easy_getinfo(task.easyHandle.Get(), CURLINFO_SPEED_DOWNLOAD_T, &speed) != CURLE_OK ||
        !task.progressCallback) {
        return;
    }
    lastProgressFile = task.localFile;
    CallGuarded(traceLog_, "progress callback failed:" + task.path,
                [&] { task.progressCallback(task.tag, static_cast<double>(speed)); });
}

void DownloadManager::AddSpeedSample(double bytesPerSecond) {
    speedSamples.push_back(bytesPerSecond);
    while (speedSamples.size() > kMaxSpeedSamples) speedSamples.pop_front();
    if (paused) return;
    if (nowTick - lastSampleTick < 1000) return;
    lastSampleTick = nowTick;
    std::size_t runningCount = 0;
    {
        kbase::AutoLock hold(runningLock_);
        runningCount = runningTasks_.size();
    }
    const std::int64_t speed = BatchSpeed(speedSamples, runningCount);
    const std::int32_t remaining = RemainingSeconds(totalBytes, downloadedBytes, speed);
    currentSpeed = speed;
    if (speed < minSpeed && speedSamples.size() > kSamplesBeforeMinSpeed) {
        minSpeed = speed;
        minSpeedFile = lastProgressFile;
    }
    if (speed > maxSpeed) maxSpeed = speed;
    bytesAtLastSample = downloadedBytes;
    SendToMainWindow(kMsgDownloadSpeed, remaining, speed);
}

void DownloadManager::ResetSpeedStats() {
    currentSpeed = 0;
    minSpeed = kMinSpeedReset;
    maxSpeed = 0;
    minSpeedFile.clear();
    bytesAtLastSample = 0;
    statsStartTick = ::GetTickCount();
}

void DownloadManager::TrackDownloadStatus(const std::string& actionType) {
    if (currentSpeed <= 0) return;
    const auto seconds = static_cast<std::uint32_t>(SecondsSince(statsStartTick));
    LauncherContext* context = LauncherContext::Instance();
    const auto base = static_cast<std::int64_t>(context->downloadLog.Get().downloadSize);
    const std::int64_t moved = bytesAtLastSample - base;
    const double average = seconds != 0 ? static_cast<double>(moved) / seconds : static_cast<double>(currentSpeed);
    context->TrackLauncherEvent("", Format3(average / 1048576), Format3(static_cast<double>(moved) / 1073741824),
                                actionType, "", true);
}

void DownloadManager::TrackDownloadSummary(const std::string& actionId, const std::string& eventName,
                                           bool onlyWhenMoving) {
    if (currentSpeed <= 0 && onlyWhenMoving) return;
    const auto seconds = static_cast<std::int64_t>(SecondsSince(statsStartTick));
    LauncherContext* context = LauncherContext::Instance();
    const std::int64_t sample = bytesAtLastSample;
    std::int64_t moved = 0;
    double average = 0;
    context->downloadLog.Update([&](DownloadLog& log) {
        moved = sample - static_cast<std::int64_t>(log.downloadSize);
        average = seconds > 0 ? static_cast<double>(moved) / seconds : static_cast<double>(currentSpeed);
        log.downloadSpeed = static_cast<std::uint64_t>(average < 0 ? 0 : average);
        log.downloadSize = static_cast<std::uint64_t>(sample < 0 ? 0 : sample);
        log.downloadTime += static_cast<std::uint64_t>(seconds);
    });
    const std::string speedText = Format3(average / 1048576);
    const std::string sizeText = Format3(static_cast<double>(moved) / 1073741824);
    const std::string secondsText = std::to_string(seconds);
    context->TrackLauncherDetail(actionId, speedText, sizeText, secondsText);
    context->TrackActivity(eventName, speedText, sizeText, secondsText);
}
