#pragma once

#include <functional>
#include <string>

#include "app/launcher_context.h"

// Type ids of the update states; the busy rule and the request tags compare them.
enum StateType : int {
    kNoStateType = 0,
    kPrepareStateType = 1,
    kRequestRemoteStateType = 2,
    kCheckVersionStateType = 3,
    kRequestPatchStateType = 4,
    kDownloadFilesStateType = 5,
    kApplyUpdateStateType = 6,
    kEnterGameStateType = 7,
    kExceptionStateType = 8,
    kPreDownloadStateType = 9,
};

// Which installation a state works on.
enum StateMode : int {
    kLauncherMode = 0,
    kGameMode = 1,
};

// One step of the update and launch flow. States are made, entered, advanced, left and
// deleted on the worker thread only; the launcher context owns the current one. A state that
// switches the current state from its own Update or callback is deleted inside that call and
// touches none of its members afterwards.
//
// Requests carry the asking state's type id as their tag; the dispatchers of
// request_dispatch.h hand an answer only to a current state of that type.
class State {
public:
    // Every new state lifts the hold that a shown error put on automatic updates.
    State() { LauncherContext::Instance()->updateErrorShown = false; }
    explicit State(int mode) : mode(mode) { LauncherContext::Instance()->updateErrorShown = false; }
    State(const State&) = delete;
    State& operator=(const State&) = delete;
    virtual ~State() = default;

    virtual int GetType() const { return kNoStateType; }
    // previous is still alive during Enter and deleted right after it.
    virtual void Enter(State* previous) = 0;
    virtual void Update() = 0;
    virtual void Exit(State* next) = 0;
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
