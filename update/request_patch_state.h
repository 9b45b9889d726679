#pragma once

#include <string>

#include "update/state.h"

// Fetches the patch list of the installed version: the files for which a patch can be fetched
// instead of the whole file. Without a usable list whole files are fetched.
class RequestPatchState : public State {
public:
    explicit RequestPatchState(int mode) : State(mode) {}

    int GetType() const override { return kRequestPatchStateType; }
    void Enter(UpdateState* previous) override;
    void Update() override;
    void Exit(UpdateState*) override {}
    void OnRequestDone(int code, std::string url, const char* body, int length, std::string error) override;

    std::string patchMapName;
};
