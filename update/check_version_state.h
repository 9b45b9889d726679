#pragma once

#include <list>
#include <memory>
#include <string>

#include "app/disk_space.h"
#include "base/weak_callback.h"
#include "update/state.h"

// Compares the local version map with the remote one and decides what to fetch: the update map
// receives every remote entry that is missing locally or differs, less what a half-finished
// game update already applied. Then the free space is checked and the patch list, the downloads
// or (with nothing to fetch) the enter-game state follows.
class CheckVersionState : public State, public kbase::SupportWeakCallback {
public:
    explicit CheckVersionState(int mode) : State(mode) {}

    int GetType() const override { return kCheckVersionStateType; }
    void Enter(UpdateState* previous) override;
    void Update() override;
    void Exit(UpdateState*) override { deletedFiles.clear(); }

    std::string localMapName;
    std::string remoteMapName;
    std::string updateMapName;
    std::wstring tmpMapPath;
    std::wstring mapPath;
    std::list<std::string> deletedFiles;  // local keys the remote map lacks

private:
    void DropAppliedFiles(VersionMap& toUpdate);
    void DropRemovedSkinArchive();
    void StartFetching();
    void FinishWithoutFetching();
};

// The patch list or the downloads of a game update, whichever the options and the installed
// version call for.
std::unique_ptr<State> MakeFetchState(int mode, const std::string& patchVersion);

// The answer to the disk-space box: "continue" (not 0) starts the game-mode fetch on the worker,
// but only while the state that the refusal made current, whose token is refused, still lives;
// once anything has replaced it the answer is stale and does nothing.
DiskSpaceAnswer MakeDiskSpaceContinue(std::weak_ptr<kbase::WeakFlag> refused, std::string patchVersion);
