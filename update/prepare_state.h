#pragma once

#include <list>
#include <string>

#include "update/state.h"

// The first state of every launcher check and game update: puts the local version map of its
// mode in memory (from the map file, or by hashing the files when there is none), stops a
// running pre-download, and asks the gate server for the download base URLs and options. The
// gate answer arrives inside Enter; the first Update hashes what was queued and moves on.
class PrepareState : public State {
public:
    explicit PrepareState(int mode) : State(mode) {}

    int GetType() const override { return kPrepareStateType; }
    void Enter(UpdateState* previous) override;
    void Update() override;
    void Exit(UpdateState* next) override;
    void OnRequestDone(int code, std::string url, const char* body, int length, std::string error) override;

    std::string localMapName;
    std::string remoteMapName;
    std::wstring mapPath;
    std::wstring tmpMapPath;
    std::string hashFolder;     // UTF-8; set only when the files are hashed
    bool remoteMapInline = false;
    int totalFiles = 0;
    std::list<std::string> filesToHash;  // full paths, UTF-8

private:
    void StopPreDownload();
    void PrepareLauncherFiles();
    void PrepareGameFiles();
    void HashQueuedFiles();
    void ParseLauncherUrls(int code, const std::string& body);
    void ParseGameUrls(int code, const std::string& url, const std::string& body, const std::string& error);
};
