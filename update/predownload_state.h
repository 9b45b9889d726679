#pragma once

#include <string>

#include "base/weak_callback.h"
#include "update/state.h"

// The task's stages; the UI reads kPreDownloadDownloading as a running pre-download.
enum PreDownloadStep : int {
    kPreDownloadEnded = 0,
    kPreDownloadAddresses = 1,   // the pre-download answer
    kPreDownloadGate = 2,        // the gate answer, when the first gave no address
    kPreDownloadRemoteMap = 3,
    kPreDownloadPatchList = 4,
    kPreDownloadDownloading = 5,  // the suffix probe, then the downloads
    kPreDownloadFinishing = 6,
    kPreDownloadFailed = 7,
};

// Downloads the files of a coming game version in advance into update\predownload\<version>\,
// one file per distinct MD5, from where the download state of the real update takes them. It
// runs beside the current state in the launcher context's own slot, advanced after it on every
// worker tick, and ends itself (or is stopped) when done. Its weak token lets the answer of its
// error box stop this task only, not one started since.
class PreDownloadState : public State, public kbase::SupportWeakCallback {
public:
    PreDownloadState() = default;

    int GetType() const override { return kPreDownloadStateType; }
    void Enter(UpdateState* previous) override;
    void Update() override;
    void Exit(UpdateState* next) override;
    void OnFileDone(int code, std::string url, std::string message) override;
    void OnRequestDone(int code, std::string url, const char* body, int length, std::string error) override;
    void OnFileChecked(int code, std::string url, bool exists, std::string error) override;
    void OnProgress(double bytesPerSecond) override;

    void StartPreDownloads();
    void CheckDownloadsDone();
    // Ends the task: it deletes itself, so nothing of it is touched afterwards.
    void Finish();

    bool downloadOutstanding = false;
    int step = kPreDownloadEnded;
    int filesLeft = 0;

private:
    // step := next, published to the UI thread as the context's preDownloadStep.
    void SetStep(int next);
    // result := step := next, so the next tick acts on it.
    void GoTo(int next);
    // Its own transfers run: transfers of an earlier task may still report until this task's
    // start cancels them, and must not count here.
    bool DownloadsRunning() const { return step == kPreDownloadDownloading && result == 0; }
    void Fail(int code, const std::string& message, const std::string& detail);
    void CheckOfferedVersion(const std::string& body);
    // The folder of the offered version; empty when the version cannot name a folder.
    std::string VersionFolder() const;
};
