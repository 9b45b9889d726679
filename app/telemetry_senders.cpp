#include "app/telemetry_senders.h"

#include <cstdint>

#include "app/file_util.h"
#include "app/machine_identity.h"
#include "app/system_info.h"
#include "base/path_util.h"
#include "base/string_conversions.h"

TelemetryMachine ReadTelemetryMachine(const std::wstring& gamePath) {
    TelemetryMachine machine;
    std::wstring wideUdid;
    // The device id is in the ANSI code page (it starts with the computer name).
    kbase::CodePageToWide(GetUdid(), wideUdid, CP_ACP);
    kbase::WideToUtf8(wideUdid, machine.udid);
    machine.machineGuid = GetMachineGuid();
    GetUtcDateTime(machine.eventDate, machine.eventTime);
    machine.unixSeconds = GetUnixTimeSeconds();
    machine.osVersion = GetOsVersionText();
    machine.cpuName = GetCpuName();
    machine.country = GetLocaleCountryCode();
    machine.productName = GetWindowsProductName();
    kbase::WideToUtf8(kbase::GetOwnModuleDirectory(), machine.launcherFolder);
    std::uint64_t total = 0;
    std::uint64_t freeForCaller = 0;
    if (GetDiskSpaceW(gamePath, total, freeForCaller)) {
        machine.gameDriveFreeBytes = freeForCaller;
    }
    return machine;
}

void SendUiClickEvent(const TelemetryContext& context, const std::string& uiType, const std::string& action,
                      TelemetrySink& sink) {
    sink.Track(BuildUiClickRecord(ReadTelemetryMachine(context.gamePath), context, uiType, action), false);
}

void SendLauncherDetailEvent(const TelemetryContext& context, const LauncherDetailArgs& args, TelemetrySink& sink) {
    sink.PostJson(BuildLauncherDetailRecord(ReadTelemetryMachine(context.gamePath), context, args));
}

void SendActivityEvent(const TelemetryContext& context, const ActivityArgs& args, TelemetrySink& sink) {
    sink.TrackActivity(BuildActivityQuery(ReadTelemetryMachine(context.gamePath), context, args));
}

void SendLauncherEvent(const TelemetryContext& context, const LauncherEventArgs& args, bool immediate,
                       TelemetrySink& sink) {
    sink.Track(BuildLauncherRecord(ReadTelemetryMachine(context.gamePath), context, args), immediate);
}

void SendSettingsEvent(const TelemetryContext& context, const SettingsEventArgs& args, TelemetrySink& sink) {
    sink.Track(BuildSettingsRecord(ReadTelemetryMachine(context.gamePath), context, args), false);
}
