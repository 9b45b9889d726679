#include "app/launcher_context.h"

#include <string_view>
#include <utility>

#include "app/download_seam.h"
#include "app/game_launcher.h"
#include "app/public_ip.h"
#include "app/thread_ids.h"
#include "base/string_conversions.h"
#include "base/thread_registry.h"

TelemetryContext LauncherContext::CopyTelemetryContext() const {
    TelemetryContext copy;
    const LauncherSettings current = settings.Get();
    copy.language = current.language;
    copy.gamePath = current.gamePath;
    copy.downloadSpeed = current.downloadSpeed;
    copy.installPackageType = installPackageType.Get();
    copy.gid = gid.Get();
    copy.localGameVersion = localGameVersion.Get();
    copy.remoteGameVersion = remoteGameVersion.Get();
    copy.remoteMapVersion = remoteMapVersion.Get();
    copy.remotePreDownloadVersion = remotePreDownloadVersion.Get();
    copy.clientIp = clientIp.Get();
    if (ui_.currentLanguage) kbase::WideToUtf8(ui_.currentLanguage(), copy.systemLanguage);
    copy.gameRunning = IsGameRunning();
    if (const DownloadService* downloads = GetDownloadService()) {
        const DownloadSpeedFigures figures = downloads->SpeedFigures();
        copy.minSpeed = figures.minSpeed;
        copy.maxSpeed = figures.maxSpeed;
        copy.minSpeedFile = figures.minSpeedFile;
    }
    return copy;
}

void LauncherContext::PostTelemetry(std::function<void(const TelemetryContext&, TelemetrySink&)> send) {
    kbase::ThreadRegistry::GetInstance()->PostTask(kWorkerThreadId, [this, send = std::move(send)] {
        if (TelemetrySink* sink = telemetrySink_.load()) send(CopyTelemetryContext(), *sink);
    });
}

void LauncherContext::TrackLauncherEvent(const std::string& printInfo, const std::string& speed,
                                         const std::string& size, const std::string& actionType,
                                         const std::string& step, bool immediate) {
    LauncherEventArgs args{printInfo, speed, size, actionType, step};
    PostTelemetry([args = std::move(args), immediate](const TelemetryContext& context, TelemetrySink& sink) {
        SendLauncherEvent(context, args, immediate, sink);
    });
}

void LauncherContext::TrackLauncherDetail(const std::string& actionId, const std::string& speed,
                                          const std::string& size, const std::string& downloadTime) {
    LauncherDetailArgs args{actionId, speed, size, downloadTime};
    PostTelemetry([args = std::move(args)](const TelemetryContext& context, TelemetrySink& sink) {
        SendLauncherDetailEvent(context, args, sink);
    });
}

void LauncherContext::TrackActivity(const std::string& eventName, const std::string& value1,
                                    const std::string& value2, const std::string& value3) {
    ActivityArgs args{eventName, value1, value2, value3};
    PostTelemetry([args = std::move(args)](const TelemetryContext& context, TelemetrySink& sink) {
        SendActivityEvent(context, args, sink);
    });
}

void LauncherContext::TrackSettings(const std::string& autostart, const std::string& close, int gameDownloadCap,
                                    int preDownloadCap) {
    SettingsEventArgs args{autostart, close, gameDownloadCap, preDownloadCap};
    PostTelemetry([args = std::move(args)](const TelemetryContext& context, TelemetrySink& sink) {
        SendSettingsEvent(context, args, sink);
    });
}

void LauncherContext::TrackUiClickEvent(const std::string& uiType, const std::string& action) {
    PostTelemetry([uiType, action](const TelemetryContext& context, TelemetrySink& sink) {
        SendUiClickEvent(context, uiType, action, sink);
    });
}

void TrackUiClick(const std::string& uiType, const std::string& action) {
    LauncherContext::Instance()->TrackUiClickEvent(uiType, action);
}

void LauncherContext::OnPublicIpResponse(int, int code, const std::string&, const char* body, int length,
                                         const std::string&) {
    const std::string_view answer = body && length > 0 ? std::string_view(body, length) : std::string_view();
    std::string address = PublicIpFromAnswer(code, answer);
    if (address.empty()) address = GetLocalIpAddress();
    clientIp.Set(address);
    TrackLauncherDetail("13", "0", "0", "0");
    TrackActivity("click_launch_start_open", "0", "0", "0");
}
