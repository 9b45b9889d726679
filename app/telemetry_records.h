#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The usage records sent to the tracking endpoint (compact JSON objects, keys in byte order,
// UTF-8 unescaped) and to the activity callback endpoint (a form-encoded query). The builders
// are pure: every value comes from the arguments, so each record can be checked byte for byte.

// Application identifier of this build: reverse-domain, the last two words being the
// platform and the channel.
inline constexpr char kTelemetryPackageId[] = "com.tarvenor.launcher.pc.tw";

// Values of the machine and the clock, read when a record is built (ReadTelemetryMachine).
struct TelemetryMachine {
    std::string udid;
    std::string machineGuid;
    std::string eventDate;  // UTC "YYYY-MM-DD"
    std::string eventTime;  // UTC "hh:mm:ss", read together with the date
    long long unixSeconds = 0;
    std::string osVersion;
    std::string cpuName;
    std::optional<std::string> country;
    std::string productName;
    std::string launcherFolder;  // UTF-8, with its trailing separator
    std::optional<std::uint64_t> gameDriveFreeBytes;  // free for the caller; nothing when unknown
};

// Launcher-context and download-manager values a record reads. The caller copies them when
// the record is built, so that no builder reads a string another thread may be replacing.
struct TelemetryContext {
    std::string language;  // the settings language code
    std::string installPackageType;
    std::string gid;
    std::string localGameVersion;
    std::string remoteGameVersion;
    std::string remoteMapVersion;
    std::string remotePreDownloadVersion;
    std::string clientIp;
    std::wstring gamePath;
    std::int32_t downloadSpeed = 0;  // the settings' cap, whether or not it is switched on
    std::string systemLanguage;      // the UI's current language code, UTF-8
    std::int64_t minSpeed = 0;       // bytes per second
    std::int64_t maxSpeed = 0;
    std::string minSpeedFile;  // UTF-8
    bool gameRunning = false;
};

struct LauncherDetailArgs {
    std::string actionId;
    std::string speed;
    std::string size;
    std::string downloadTime;
};

struct LauncherEventArgs {
    std::string printInfo;
    std::string speed;
    std::string size;
    std::string actionType;
    std::string step;
};

struct SettingsEventArgs {
    std::string autostart;  // "" when unchanged
    std::string close;      // "" when unchanged
    std::int32_t gameDownloadCap = 0;
    std::int32_t preDownloadCap = 0;
};

struct ActivityArgs {
    std::string eventName;
    std::string value1;
    std::string value2;
    std::string value3;
};

std::string BuildUiClickRecord(const TelemetryMachine& machine, const TelemetryContext& context,
                               const std::string& uiType, const std::string& action);
std::string BuildLauncherDetailRecord(const TelemetryMachine& machine, const TelemetryContext& context,
                                      const LauncherDetailArgs& args);
std::string BuildLauncherRecord(const TelemetryMachine& machine, const TelemetryContext& context,
                                const LauncherEventArgs& args);
std::string BuildSettingsRecord(const TelemetryMachine& machine, const TelemetryContext& context,
                                const SettingsEventArgs& args);
// The query text (without "?") of the activity callback; every value is percent-encoded.
std::string BuildActivityQuery(const TelemetryMachine& machine, const TelemetryContext& context,
                               const ActivityArgs& args);

// "%.3f" of bytesPerSecond / 1048576 in single precision.
std::string FormatSpeedMiB(std::int64_t bytesPerSecond);
// "%.3f" of bytes / 1073741824 in single precision.
std::string FormatSizeGiB(std::uint64_t bytes);
