#include "download/download_manager_service.h"

#include "app/download_seam.h"
#include "app/launcher_context.h"
#include "app/telemetry_senders.h"
#include "download/download_manager.h"

namespace {

class ManagerService final : public DownloadService {
public:
    void Init() override { Manager().Init(); }
    void Tick() override { Manager().Tick(); }
    void Shutdown() override { Manager().Shutdown(); }
    void Stop() override { Manager().Stop(); }
    void TogglePause() override { Manager().TogglePause(); }
    bool IsPaused() const override { return Manager().paused.load(); }
    void ApplySpeedLimit(int mode) override { Manager().ApplySpeedLimit(mode); }
    DownloadSpeedFigures SpeedFigures() const override {
        const DownloadManager& manager = Manager();
        return {manager.minSpeed, manager.maxSpeed, manager.minSpeedFile};
    }

private:
    static DownloadManager& Manager() { return DownloadManager::Instance(); }
};

class ManagerTelemetrySink final : public TelemetrySink {
public:
    void PostJson(const std::string& body) override { Manager().PostJson(body, Manager().trackUrl); }
    void Track(const std::string& body, bool now) override { Manager().Track(body, Manager().trackUrl, now); }
    void TrackActivity(const std::string& query) override { Manager().Track(query, Manager().adjustUrl, true); }

private:
    static DownloadManager& Manager() { return DownloadManager::Instance(); }
};

}  // namespace

void RegisterDownloadManager() {
    static ManagerService service;
    static ManagerTelemetrySink sink;
    SetDownloadService(&service);
    LauncherContext::Instance()->SetTelemetrySink(&sink);
}
