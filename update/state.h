#pragma once

#include <functional>
#include <string>

#include "app/launcher_context.h"
#include "app/update_state.h"

// One step of the update and launch flow: the update engine's side of UpdateState, with the
// download answers, the error fields and the helpers every state shares. A state that
// switches the current state from its own Update or callback is deleted inside that call and
// touches none of its members afterwards.
//
// Requests carry the asking state's type id as their tag; the dispatchers of
// request_dispatch.h hand an answer only to a current state of that type.
class State : public UpdateState {
public:
    // Every new state lifts the hold that a shown error put on automatic updates.
    State() { LauncherContext::Instance()->updateErrorShown = false; }
    explicit State(int mode) : mode(mode) { LauncherContext::Instance()->updateErrorShown = false; }

    int GetType() const override { return kNoStateType; }
    int GetMode() const override { return mode; }
    // Answers of the download manager; body lives only during the call.
    virtual void OnFileDone(int, std::string, std::string) {}
    virtual void OnRequestDone(int, std::string, const char*, int, std::string) {}
    virtual void OnFileChecked(int, std::string, bool, std::string) {}
    virtual void OnProgress(double) {}

    // Shows the error fields in the error box (worker thread) and reports them. callback runs on
    // the UI thread with true for the yes button, false for no, close or Esc.
    void ShowError(const std::wstring& noButtonKey, const std::wstring& yesButtonKey,
                   std::function<void(bool)> callback);
    // "patchs/<version>/<name>": the installed game version in game mode, the launcher version
    // with '_' for '.' in launcher mode. A relative request path.
    std::string BuildPatchPath(const std::string& name) const;

    int mode = kGameMode;   // compared only as zero / non-zero
    int result = 0;         // 0 pending, above 0 done, below 0 failed
    int errorCode = 0;      // the failing request's code
    std::string errorMessage;
    std::string errorDetail;
};
