#pragma once

#include <windows.h>

#include <list>
#include <optional>
#include <string>

#include "app/apply_list.h"
#include "base/timer_resolution.h"
#include "base/weak_callback.h"
#include "update/state.h"

// Installs what the download state put into update\. Launcher mode does it in one pass inside
// Enter. Game mode applies one slice per worker tick (a second of work at most, so transfers
// keep being served) and records what it installed in update\apply_list.txt, so that an
// interrupted apply resumes where it stopped.
class ApplyUpdateState : public State, public kbase::SupportWeakCallback {
public:
    explicit ApplyUpdateState(int mode) : State(mode) {}

    int GetType() const override { return kApplyUpdateStateType; }
    void Enter(UpdateState* previous) override;
    void Update() override;
    void Exit(UpdateState* next) override;

    int totalFiles = 0;
    std::list<std::string> pendingFiles;  // map keys still to apply, in map order
    std::list<std::string> failedFiles;   // "<path>" or "<path>(<code>)"
    ApplyListRecord applyList;
    // The promotion of the pending map while another process holds the old one: the next try,
    // and when the tries end; 0 until it was first tried.
    ULONGLONG nextCommitTry = 0;
    ULONGLONG commitDeadline = 0;
    // Held while the game-mode slices run: between two slices the worker waits a 2 ms tick,
    // which Windows' default timer would stretch to 15.6 ms.
    std::optional<kbase::TimerResolutionRequest> timerResolution;
};

// The launcher-mode pass; sets result to 1 or -1.
void ApplyLauncherUpdate(ApplyUpdateState& state);
// One game-mode slice; sets result once nothing is pending.
void ApplyGameUpdateSlice(ApplyUpdateState& state);
