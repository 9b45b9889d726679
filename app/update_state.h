#pragma once

// The update states as the application core sees them. The launcher context owns the current
// state and the pre-download task, makes them current, advances and ends them, and answers
// whether an update is running; the update engine above it implements them (update/state.h).

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

// Which installation a state works on; readers compare it only as zero / non-zero.
enum StateMode : int {
    kLauncherMode = 0,
    kGameMode = 1,
};

// Made, entered, advanced, left and deleted on the worker thread only.
class UpdateState {
public:
    UpdateState() = default;
    UpdateState(const UpdateState&) = delete;
    UpdateState& operator=(const UpdateState&) = delete;
    virtual ~UpdateState() = default;

    virtual int GetType() const = 0;
    virtual int GetMode() const = 0;
    // previous is still alive during Enter and deleted right after it.
    virtual void Enter(UpdateState* previous) = 0;
    virtual void Update() = 0;
    virtual void Exit(UpdateState* next) = 0;
};
