#include "update/request_dispatch.h"

#include <utility>

#include "app/launcher_context.h"
#include "download/download_manager.h"
#include "update/state.h"

namespace {

// Every state the launcher context holds is made by the update engine, so it is a State.

// The current state when it is the one that asked; null otherwise.
State* Asker(int tag) {
    UpdateState* state = LauncherContext::Instance()->currentState.get();
    return state && state->GetType() == tag ? static_cast<State*>(state) : nullptr;
}

State* PreDownloadTask() {
    return static_cast<State*>(LauncherContext::Instance()->preDownloadState.get());
}

}  // namespace

void DispatchFileDone(int tag, DownloadResult result, std::string url, std::string message) {
    if (State* state = Asker(tag)) state->OnFileDone(ResultCode(result), std::move(url), std::move(message));
}

void DispatchRequestDone(int tag, DownloadResult result, std::string url, const char* body, int length, std::string error) {
    if (State* state = Asker(tag)) state->OnRequestDone(ResultCode(result), std::move(url), body, length, std::move(error));
}

void DispatchProgress(int tag, double bytesPerSecond) {
    if (tag == kDownloadFilesStateType && Asker(tag)) DownloadManager::Instance().AddSpeedSample(bytesPerSecond);
}

void DispatchFileChecked(int tag, DownloadResult result, std::string url, bool exists, std::string error) {
    if (State* state = Asker(tag)) state->OnFileChecked(ResultCode(result), std::move(url), exists, std::move(error));
}

void DispatchPreDownloadFileDone(int, DownloadResult result, std::string url, std::string message) {
    if (State* task = PreDownloadTask()) task->OnFileDone(ResultCode(result), std::move(url), std::move(message));
}

void DispatchPreDownloadRequestDone(int, DownloadResult result, std::string url, const char* body, int length,
                                    std::string error) {
    if (State* task = PreDownloadTask()) task->OnRequestDone(ResultCode(result), std::move(url), body, length, std::move(error));
}

void DispatchPreDownloadProgress(int, double bytesPerSecond) {
    if (State* task = PreDownloadTask()) task->OnProgress(bytesPerSecond);
}

void DispatchPreDownloadFileChecked(int, DownloadResult result, std::string url, bool exists, std::string error) {
    if (State* task = PreDownloadTask()) task->OnFileChecked(ResultCode(result), std::move(url), exists, std::move(error));
}
