#pragma once

#include <string>

#include "update/state.h"

// Queues one download per file of the update map (or its patch, when the patch list has one)
// into update\, takes over what the pre-download already fetched for this version, waits until
// every download has ended and hands over to the apply state. In game mode a probe first learns
// which patch suffix the server uses.
class DownloadFilesState : public State {
public:
    explicit DownloadFilesState(int mode) : State(mode) {}

    int GetType() const override { return kDownloadFilesStateType; }
    void Enter(UpdateState* previous) override;
    void Update() override;
    void Exit(UpdateState*) override;
    void OnFileDone(int code, std::string url, std::string message) override;
    void OnFileChecked(int code, std::string url, bool exists, std::string error) override;

    // The batch start: sets result and both counters.
    void StartDownloads();

    int queuedFiles = 0;
    int finishedFiles = 0;

private:
    void Fail(int code, const std::string& message, const std::string& detail);
    // Whether a pre-download of the version being installed lies on disk; shows the notice
    // when it is unfinished.
    bool FindPreDownload(const std::string& folder);
};
