#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "update/state.h"

// The resting state: current whenever no launcher check or game update runs. On entering it asks
// once to restart for pending launcher files, or starts the game when the update was meant to
// lead into it. While current it refreshes the main window's content, starts the periodic
// launcher check, sends queued tracking records, and polls the servers for a game version to
// pre-download.
class EnterGameState : public State {
public:
    EnterGameState() = default;

    int GetType() const override { return kEnterGameStateType; }
    void Enter(UpdateState* previous) override;
    void Update() override;
    void Exit(UpdateState*) override {}
    void OnRequestDone(int code, std::string url, const char* body, int length, std::string error) override;

    // The poll's steps, each the answer of the request the step before made.
    void HandlePreDownloadAnswer(const std::string& answer);
    void HandleGateAnswer(const std::string& answer);
    void HandleRemoteGameMap(const std::string& answer);
    void HandlePreDownloadMap(const std::string& answer);
    void HandlePreDownloadPatchList(const std::string& answer);
    void EvaluatePreDownload();

    std::uint32_t refreshPeriodMs = 0;
    std::uint32_t launcherCheckPeriodMs = 0;
    std::uint32_t pollPeriodMs = 0;
    int pollStep = 0;  // 0 no poll request in flight, else the step 1 to 5
    std::vector<std::string> pollDlcUrls;
    std::vector<std::string> pollPreDlcUrls;

private:
    void AskToRestart();
    void StartGame();
    // The next poll request: pollStep := step, then path under baseUrls. The poll never sets the
    // download manager's content list: a pre-download task may be using it.
    void RequestPollStep(int step, const std::string& path, const std::vector<std::string>& baseUrls);
};

struct EnterGamePeriods {
    std::uint32_t refreshMs;
    std::uint32_t launcherCheckMs;
    std::uint32_t pollMs;
};
// The timers' periods from the endpoint file's intervals (minutes; 1 to 99 count, anything else
// takes the default).
EnterGamePeriods ComputeEnterGamePeriods(int refreshInterval, int updateInterval);
