#include "app/telemetry_records.h"

#include <cstdio>

#include <json/json.h>

#include "app/url_encode.h"
#include "app/version_compare.h"
#include "base/string_conversions.h"

namespace {

constexpr char kGameId[] = "10043";

std::string ToLowerAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

// JSON text must be UTF-8: malformed sequences (text from an ANSI source) become U+FFFD
// instead of reaching the server as bytes it may refuse.
std::string ValidUtf8(const std::string& text) {
    std::wstring wide;
    std::string utf8;
    if (!kbase::CodePageToWide(text, wide, CP_UTF8) || !kbase::WideToUtf8(wide, utf8)) {
        return {};
    }
    return utf8;
}

std::string WideToUtf8Text(const std::wstring& text) {
    std::string utf8;
    kbase::WideToUtf8(text, utf8);
    return utf8;
}

// One JSON record: every member a string.
class Record {
public:
    Record(const char* logType, const TelemetryMachine& machine) {
        Set("log_type", logType);
        Set("game_id", kGameId);
        Set("event_date", machine.eventDate);
        Set("event_time", machine.eventDate + " " + machine.eventTime);
    }

    void Set(const char* key, const std::string& value) { value_[key] = ValidUtf8(value); }

    std::string Write() const {
        Json::StreamWriterBuilder builder;
        builder["emitUTF8"] = true;
        builder["indentation"] = "";
        return Json::writeString(builder, value_);
    }

private:
    Json::Value value_{Json::objectValue};
};

bool CarriesTransferFigures(const std::string& actionId) {
    return actionId == "15" || actionId == "17" || actionId == "22";
}

bool CarriesEventValues(const std::string& eventName) {
    return eventName == "click_launch_pause_game" || eventName == "download_game_finish" ||
           eventName == "update_game_finish";
}

std::string FormatThreeDecimals(float value) {
    char text[64];
    std::snprintf(text, sizeof(text), "%.3f", static_cast<double>(value));
    return text;
}

}  // namespace

std::string FormatSpeedMiB(std::int64_t bytesPerSecond) {
    return FormatThreeDecimals(static_cast<float>(bytesPerSecond) / 1048576.0f);
}

std::string FormatSizeGiB(std::uint64_t bytes) {
    return FormatThreeDecimals(static_cast<float>(bytes) / 1073741824.0f);
}

std::string BuildUiClickRecord(const TelemetryMachine& machine, const TelemetryContext& context,
                               const std::string& uiType, const std::string& action) {
    Record record("qzrolepcstarteruiclick", machine);
    record.Set("action", ToLowerAscii(action));
    record.Set("install_package_type", context.installPackageType);
    record.Set("pc_id", machine.udid);
    record.Set("uitype", uiType);
    return record.Write();
}

std::string BuildLauncherDetailRecord(const TelemetryMachine& machine, const TelemetryContext& context,
                                      const LauncherDetailArgs& args) {
    Record record("qzrolepclauncherdetail", machine);
    record.Set("action_id", args.actionId);
    record.Set("channel", context.gid);
    if (machine.country) {
        record.Set("country", *machine.country);
    }
    record.Set("cpu", machine.cpuName);
    record.Set("download_game_version", context.remoteGameVersion);
    record.Set("game_version", context.localGameVersion);
    record.Set("idfa", machine.machineGuid);
    record.Set("install_package_type", context.installPackageType);
    record.Set("ip", context.clientIp);
    record.Set("language", context.language);
    record.Set("machine_guid", machine.machineGuid);
    record.Set("pkg", kTelemetryPackageId);
    record.Set("system_type", "win");
    record.Set("system_ver", machine.osVersion);
    if (CarriesTransferFigures(args.actionId)) {
        record.Set("download_time", args.downloadTime);
        record.Set("highest_speed", FormatSpeedMiB(context.maxSpeed));
        record.Set("lowest_speed", FormatSpeedMiB(context.minSpeed));
        record.Set("lowest_speed_location", context.minSpeedFile);
        record.Set("size", args.size);
        record.Set("speed", args.speed);
    }
    return record.Write();
}

std::string BuildLauncherRecord(const TelemetryMachine& machine, const TelemetryContext& context,
                                const LauncherEventArgs& args) {
    Record record("qzrolepclauncher", machine);
    const std::string step = ToLowerAscii(args.step);
    std::string printInfo = args.printInfo;
    if (step == "pre_install") {
        // "rungame" marks a pre-download event sent as the game starts.
        bool gameStarting = false;
        if (printInfo == "rungame") {
            printInfo.clear();
            gameStarting = true;
        }
        const char* installPlay = "-1";
        if (!context.remotePreDownloadVersion.empty() &&
            CompareVersions(context.remotePreDownloadVersion, context.localGameVersion, context.remoteGameVersion) ==
                kVersionNewer) {
            installPlay = (gameStarting || context.gameRunning) ? "1" : "0";
        }
        record.Set("if_install_play", installPlay);
    }
    record.Set("action_type", ToLowerAscii(args.actionType));
    record.Set("download_game_version", context.remoteMapVersion);
    record.Set("game_version", context.localGameVersion);
    record.Set("highest_speed", FormatSpeedMiB(context.maxSpeed));
    record.Set("install_game_path", WideToUtf8Text(context.gamePath));
    record.Set("install_launcher_path", machine.launcherFolder);
    record.Set("install_package_type", context.installPackageType);
    record.Set("ip", context.clientIp);
    record.Set("language", context.language);
    // An unknown free space is sent empty rather than as a misleading 0.
    record.Set("left_capacity", machine.gameDriveFreeBytes ? FormatSizeGiB(*machine.gameDriveFreeBytes) : std::string());
    record.Set("limit_speed", std::to_string(context.downloadSpeed));
    record.Set("lowest_speed", FormatSpeedMiB(context.minSpeed));
    record.Set("lowest_speed_location", context.minSpeedFile);
    record.Set("machine_guid", machine.machineGuid);
    record.Set("pc_id", machine.udid);
    record.Set("print_info", printInfo);
    record.Set("size", args.size);
    record.Set("speed", args.speed);
    record.Set("step", step);
    record.Set("system", machine.productName);
    record.Set("system_language", context.systemLanguage);
    return record.Write();
}

std::string BuildSettingsRecord(const TelemetryMachine& machine, const TelemetryContext& context,
                                const SettingsEventArgs& args) {
    Record record("qzrolepcstartersetting", machine);
    if (!args.close.empty()) {
        record.Set("close_set", args.close);
    }
    if (!args.autostart.empty()) {
        record.Set("if_autostart", args.autostart);
    }
    record.Set("install_package_type", context.installPackageType);
    record.Set("install_speed_limit", std::to_string(args.gameDownloadCap));
    record.Set("language", context.language);
    record.Set("machine_guid", machine.machineGuid);
    record.Set("pc_id", machine.udid);
    record.Set("pre_install_speed_limit", std::to_string(args.preDownloadCap));
    return record.Write();
}

std::string BuildActivityQuery(const TelemetryMachine& machine, const TelemetryContext& context,
                               const ActivityArgs& args) {
    std::string query;
    const auto add = [&query](const char* key, const std::string& value) {
        if (!query.empty()) {
            query += '&';
        }
        query += key;
        query += '=';
        query += PercentEncode(value);
    };
    add("activity_kind", "pc_starter");
    add("install_package_type", context.installPackageType);
    add("uuid", machine.machineGuid);
    add("gid", context.gid);
    add("app_version", context.localGameVersion);
    add("app_id", kTelemetryPackageId);
    add("app_name", kTelemetryPackageId);
    add("package_name", kTelemetryPackageId);
    add("created_at", std::to_string(machine.unixSeconds));
    add("store", "pc");
    add("game_id", "_TVN_GAME_TW");
    add("ip_address", context.clientIp);
    add("language", context.language);
    add("os_version", machine.osVersion);
    add("event_name", args.eventName);
    if (CarriesEventValues(args.eventName)) {
        add("event_value1", args.value1);
        add("event_value2", args.value2);
        add("event_value3", args.value3);
    }
    add("cpu_type", machine.cpuName);
    return query;
}
