#pragma once

// The one process-wide object of the application core: settings, endpoints, statistics,
// identity, the main window and the game's windows, the update states, the named version
// maps, versions, channel tables and the flags through which the threads coordinate.
//
// Threads: the UI thread (0) and the worker (1) both reach it. Strings and records that one
// thread may replace while the other reads them are Guarded (copy-out reads); flags and
// numbers are atomics; the game-window list has its own lock. The update states, the version
// maps and the pre-download folder list belong to the worker; the channel tables to the UI
// thread. `endpoints` and `gameFileRenames` are written once by Init, before the worker
// exists, and only read afterwards.
//
// The methods are spread over files by concern:
//   launcher_context.cpp            start-up, worker start and end, state switch, version maps
//   launcher_context_files.cpp      settings, statistics, identity and endpoint files
//   launcher_context_versions.cpp   installed versions and pre-download folders
//   launcher_context_messaging.cpp  main window, game windows, boxes, pre-download tasks
//   launcher_context_game.cpp       game detection, game start, update requests
//   launcher_context_ui.cpp         skin archive, UI reload, language switch, channel tables, links
//   launcher_context_telemetry.cpp  the posting of telemetry records

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/channel_config.h"
#include "app/content_lists.h"
#include "app/disk_space.h"
#include "app/endpoint_config.h"
#include "app/game_windows.h"
#include "app/guarded.h"
#include "app/launcher_settings.h"
#include "app/telemetry_senders.h"
#include "app/ui_seam.h"
#include "app/update_state.h"
#include "app/version_map.h"

// Makes the states that requests start: a prepare state of a mode and the pre-download task.
// The update engine provides them; without them, requests start nothing.
struct StateFactory {
    std::function<std::unique_ptr<UpdateState>(int mode)> makePrepareState;
    std::function<std::unique_ptr<UpdateState>()> makePreDownloadState;
};

// The names of the twelve version maps, in the order InitVersionState creates them.
inline constexpr const char* kVersionMapNames[] = {
    "_launcher_patch_version_",    "_local_launcher_version_",    "_remote_launcher_version_",
    "_update_launcher_version_",   "_game_patch_version_",        "_local_game_version_",
    "_remote_game_version_",       "_update_game_version_",       "_predownload_patch_version_",
    "_local_predownload_version_", "_remote_predownload_version_", "_update_predownload_version_",
};

// The channel code of this build; skin controls that name other channels stay hidden.
extern Guarded<std::wstring> ChannelName;

class LauncherContext {
public:
    static LauncherContext* Instance();

    LauncherContext(const LauncherContext&) = delete;
    LauncherContext& operator=(const LauncherContext&) = delete;

    // ---- Wiring, set by the entry point before the UI thread starts.
    void SetUiServices(UiServices services) { ui_ = std::move(services); }
    const UiServices& ui() const { return ui_; }
    void SetStateFactory(StateFactory factory) { stateFactory_ = std::move(factory); }
    const StateFactory& stateFactory() const { return stateFactory_; }
    // Where telemetry records go; null drops them.
    void SetTelemetrySink(TelemetrySink* sink) { telemetrySink_.store(sink); }
    // How the disk-space checks read a drive's free bytes; the system's own by default.
    void SetFreeSpaceQuery(FreeSpaceQuery query) { freeSpaceQuery_ = std::move(query); }

    // ---- Start and end.
    void Init();              // UI thread, before the worker exists
    void InitVersionState();  // worker start
    void Shutdown();          // worker end

    // ---- Update states (worker thread).
    // Makes next current: the old state's Exit(next), next's Enter(old), then the old state
    // is deleted. A request for the type already current in a mode of the same kind is
    // refused and next is destroyed unentered. Null next just ends the current state.
    void SetState(std::unique_ptr<UpdateState> next);
    // The busy rule, readable from any thread: a launcher-mode state, or a game-mode state of
    // type 1 to 6, is current.
    bool IsUpdateInProgress() const;
    // The current state's type id (0 without a state) and mode, as last switched.
    int CurrentStateType() const { return currentStateType_.load(); }
    int CurrentStateMode() const { return currentStateMode_.load(); }

    // ---- Version maps (worker thread).
    VersionMap& ResetVersionMap(const std::string& name);
    std::map<std::wstring, std::wstring> CopyRenameMap() const { return gameFileRenames; }

    // ---- Settings, statistics and identity files.
    bool LoadSettings();
    void SaveSettings();
    bool LoadDownloadLog();
    void SaveDownloadLog();
    void LoadGid();
    bool LoadInstallPackageType();
    void LoadEndpointConfig();
    // UI thread: takes the edited settings over; saves, reports and flags what changed.
    void ApplySettings(const LauncherSettings& edited);

    // ---- Installed versions and pre-downloads.
    void LoadLocalGameVersion();
    bool IsGameUpdateAvailable() const;
    int CheckLocalPreDownload();
    int PrunePreDownloadFolders();
    bool HasUnfinishedPreDownload() const;

    // ---- Messaging.
    // Posts to the UI thread a send of the message to the main window, dropped when there is
    // no main window when it runs.
    void SendToMainWindow(UINT message, WPARAM w, LPARAM l);
    // Posts to the worker a send of the message to the game's windows.
    void SendToGameWindows(UINT message, WPARAM w, LPARAM l);
    // UI thread: records the main window and sets its property; null forgets both.
    void SetMainWindow(HWND window);
    void RefreshGameWindows() { gameWindows.Refresh(); }
    void ShowMessageBox(HWND parent, const std::wstring& titleKey, const std::wstring& textKey,
                        const std::wstring& firstButtonKey, const std::wstring& secondButtonKey,
                        std::function<void(int)> callback, bool swapButtonLooks = false);
    void ShowMessageBoxEx(HWND parent, const std::wstring& titleKey, const std::wstring& titleText,
                          const std::wstring& textKey, const std::wstring& textText,
                          const std::wstring& firstButtonKey, const std::wstring& secondButtonKey,
                          const std::wstring& firstButtonText, const std::wstring& secondButtonText,
                          std::function<void(int)> callback, bool swapButtonLooks = false);
    // parent is ignored: the options box always belongs to the main window.
    void ShowOptionsBox(HWND parent, const std::wstring& titleKey, const std::wstring& textKey,
                        const std::vector<std::wstring>& options, const std::wstring& groupName,
                        const std::wstring& confirmKey, std::function<void(int)> callback);
    // Posts the pause toggle to the worker: pauses the transfers, or resumes them when paused.
    void PauseDownloads();
    void StartPreDownload();
    // now: stop on the calling thread (the worker); otherwise post the stop to the worker.
    void StopPreDownload(bool now);

    // ---- The game.
    bool IsGameInstalled(const std::wstring& folder) const;
    bool HasUnfinishedGameDownload() const;
    bool BringGameToFront();
    void StartGame(const std::string& md5, int slot);
    void ResetGameFiles();
    void StartLauncherUpdate();
    void StartGameUpdate(bool enterGame, bool honourDisableAutoEnter);

    // ---- Disk space (the notices go through the message boxes above).
    bool CheckDiskSpaceForDownload(DiskSpaceAnswer answer);
    bool CheckDiskSpaceForInstall(DiskSpaceAnswer answer);

    // ---- Skin, language and channel (UI thread).
    bool LoadChannelConfig();
    void ReloadUi(std::function<void()> callback);
    // Opens a web page (http and https only); with isKey, text is a key of `links`.
    void OpenLink(const std::string& text, bool isKey);

    // ---- Telemetry: each posts the record's building and sending to the worker.
    void TrackLauncherEvent(const std::string& printInfo, const std::string& speed, const std::string& size,
                            const std::string& actionType, const std::string& step, bool immediate);
    void TrackLauncherDetail(const std::string& actionId, const std::string& speed, const std::string& size,
                             const std::string& downloadTime);
    void TrackActivity(const std::string& eventName, const std::string& value1, const std::string& value2,
                       const std::string& value3);
    void TrackSettings(const std::string& autostart, const std::string& close, int gameDownloadCap,
                       int preDownloadCap);
    void TrackUiClickEvent(const std::string& uiType, const std::string& action);
    // The answer of the public-address request: sets clientIp and reports the launcher start.
    void OnPublicIpResponse(int tag, int code, const std::string& url, const char* body, int length,
                            const std::string& error);

    // ---- Members.
    EndpointConfig endpoints;
    Guarded<LauncherSettings> settings;
    Guarded<DownloadLog> downloadLog;
    Guarded<std::string> gid;
    Guarded<std::string> installPackageType;
    std::atomic<HWND> mainWindow{nullptr};
    GameWindowList gameWindows;
    std::unique_ptr<UpdateState> currentState;      // worker thread
    std::unique_ptr<UpdateState> preDownloadState;  // worker thread
    std::map<std::string, VersionMap> versionMaps;  // worker thread
    std::map<std::wstring, std::wstring> gameFileRenames;  // map name -> installed name

    std::atomic<bool> stateMachineStarted{false};
    std::atomic<bool> firstRun{false};
    std::atomic<bool> askCloseBehaviour{false};
    std::atomic<bool> launcherExeUpdated{false};
    std::atomic<bool> showLauncherUpdatePrompt{true};
    // The launcher-update prompt was confirmed: the exit starts the launcher again.
    std::atomic<bool> restartAfterExit{false};
    std::atomic<bool> cefFilesPending{false};
    std::atomic<bool> fontFilesPending{false};
    std::atomic<bool> forceLauncherUpdate{false};
    std::atomic<int> uiResourcesChanged{0};  // 1 new resources.zip installed, -1 removed
    std::atomic<bool> languageChanged{false};
    std::atomic<bool> autoEnterGame{false};

    Guarded<std::string> launcherVersion{"1.0.0"};
    Guarded<std::string> localGameVersion;
    Guarded<std::string> remoteMapVersion;
    Guarded<std::string> displayGameVersion;
    Guarded<std::string> remoteGameVersion;
    std::list<std::string> preDownloadFolders;  // worker thread
    Guarded<std::string> remotePreDownloadVersion;
    std::atomic<std::uint64_t> preDownloadSize{0};
    std::atomic<bool> predownloadRequested{false};
    std::atomic<bool> predownloadPaused{false};
    std::atomic<bool> PreDlcCheck{false};
    // The pre-download task's step as the worker last set it (0 without a task): what the
    // windows read instead of the task, which the worker may delete at any time.
    std::atomic<int> preDownloadStep{0};
    // Whether the pre-download task exists, published by the worker likewise.
    std::atomic<bool> preDownloadActive{false};

    // Channel tables: UI thread.
    std::map<std::string, std::wstring> titles;
    std::map<std::string, std::string> links;
    std::vector<ForumLink> forumLinks;
    std::vector<PosterEntry> posters;
    std::vector<NewsTab> news;

    Guarded<std::string> ActivityAddr;
    std::atomic<int> PatchOption{2};
    std::atomic<bool> UseWebExtraParam{false};
    Guarded<std::string> clientIp;
    std::atomic<bool> updateErrorShown{false};
    std::atomic<bool> messageBoxOpen{false};
    std::atomic<bool> messageBoxShown{false};
    std::atomic<bool> DeleteLogTXT{false};

private:
    LauncherContext();
    ~LauncherContext();

    // The values a telemetry record reads, copied now.
    TelemetryContext CopyTelemetryContext() const;
    // Runs send on the worker thread with the values of that moment and the sink; nothing
    // when there is no sink.
    void PostTelemetry(std::function<void(const TelemetryContext&, TelemetrySink&)> send);
    void EndPreDownload();
    // The disk checks' notice boxes, through ShowMessageBox and ShowMessageBoxEx.
    DiskSpaceServices DiskSpaceBoxes();
    // The language text of id; empty without a language table.
    std::wstring LanguageText(const std::wstring& id) const;

    UiServices ui_;
    StateFactory stateFactory_;
    std::atomic<TelemetrySink*> telemetrySink_{nullptr};
    FreeSpaceQuery freeSpaceQuery_ = QueryFreeDiskSpace;
    std::atomic<int> currentStateType_{0};
    std::atomic<int> currentStateMode_{0};
};

// Opens a message box on the UI thread: the task that a ten-text request becomes. Posted by
// the caller to thread 0. Without an owner, the request answers 0 (cancel) at once.
std::function<void()> MakeMessageBoxTask(MessageBoxRequest request);

// Posts the UI-click record to the worker, queued for the next flush.
void TrackUiClick(const std::string& uiType, const std::string& action);

// Chooses and opens the skin archive on the UI thread (see LoadUiResourceArchive).
void LoadUiResourceZip();

// The language switch that the main window posts on the UI thread when a changed language
// waits: does nothing for the language already in use.
void ReloadLanguageTask(const std::wstring& code, LauncherContext* context);
