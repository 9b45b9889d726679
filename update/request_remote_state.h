#pragma once

#include <string>

#include "update/state.h"

// Fetches the remote version map of its mode into memory, keeps it as a named map and saves it
// as the pending map file, which stays until the update has installed everything.
class RequestRemoteState : public State {
public:
    explicit RequestRemoteState(int mode) : State(mode) {}

    int GetType() const override { return kRequestRemoteStateType; }
    void Enter(UpdateState* previous) override;
    void Update() override;
    void Exit(UpdateState*) override {}
    void OnRequestDone(int code, std::string url, const char* body, int length, std::string error) override;

    std::string remoteMapName;
    std::wstring tmpMapPath;
};
