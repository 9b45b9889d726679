#pragma once

#include "app/update_state.h"

// A current update state of a type and mode, as the worker would publish it.
class FixedState : public UpdateState {
public:
    FixedState(int type, int mode) : type_(type), mode_(mode) {}
    int GetType() const override { return type_; }
    int GetMode() const override { return mode_; }
    void Enter(UpdateState*) override {}
    void Update() override {}
    void Exit(UpdateState*) override {}

private:
    int type_;
    int mode_;
};
