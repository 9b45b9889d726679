#pragma once

#include <string>

#include "base/weak_callback.h"
#include "update/state.h"

// Ends a failed game update: shows the error with retry and cancel (unless the failure already
// showed its own box) and stays current until something else starts. Its weak token lets a late
// answer to that other box tell whether this state is still the current one.
class ExceptionState : public State, public kbase::SupportWeakCallback {
public:
    ExceptionState(int errorCode, std::string errorMessage, std::string errorDetail, bool showDialog);

    int GetType() const override { return kExceptionStateType; }
    void Enter(UpdateState* previous) override;
    void Update() override {}
    void Exit(UpdateState*) override {}

    bool showDialog = false;
};
