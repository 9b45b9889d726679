#pragma once

class State;

// Ends a failed step: in game mode the exception state shows the error with a retry; in launcher
// mode the enter-game state follows without a word. failed is deleted inside the call.
void LeaveFailedState(const State& failed);

// Makes a new enter-game state current; the current state is deleted inside the call.
void EnterRestingState();
