#include "update/state_transitions.h"

#include <memory>

#include "app/launcher_context.h"
#include "update/enter_game_state.h"
#include "update/exception_state.h"

void LeaveFailedState(const State& failed) {
    std::unique_ptr<State> next;
    if (failed.mode != kLauncherMode) {
        next = std::make_unique<ExceptionState>(failed.errorCode, failed.errorMessage, failed.errorDetail, true);
    } else {
        next = std::make_unique<EnterGameState>();
    }
    LauncherContext::Instance()->SetState(std::move(next));
}

void EnterRestingState() {
    LauncherContext::Instance()->SetState(std::make_unique<EnterGameState>());
}
