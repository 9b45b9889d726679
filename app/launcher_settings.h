#pragma once

#include <cstdint>
#include <string>

// The user settings, as the settings window edits them and save\EnvConfig.json keeps them.
struct LauncherSettings {
    int languageType = 0;  // index into LanguageCodes; any value is kept, one outside them means "en"
    std::wstring gamePath;
    bool closeToHide = false;
    bool autoUpdate = true;
    bool downloadLimit = false;
    int downloadSpeed = 4096;  // cap of game downloads, KiB/s
    bool predlcLimit = false;
    int predlcSpeed = 4096;  // cap of the pre-download, KiB/s
    bool automaticStart = false;
    std::string language = "en";  // follows languageType; not stored in the file

    friend bool operator==(const LauncherSettings&, const LauncherSettings&) = default;
};

// Install statistics, kept in save\Log.json.
struct DownloadLog {
    bool firstInstall = true;
    std::uint64_t downloadSize = 0;
    std::uint64_t downloadSpeed = 0;
    std::uint64_t downloadTime = 0;
    std::string downloadVersion;

    friend bool operator==(const DownloadLog&, const DownloadLog&) = default;
};

// The speed caps the settings window offers; values from the file are held to them, since the
// download manager multiplies the cap into a 32-bit byte rate.
inline constexpr int kMinSpeedCap = 100;
inline constexpr int kMaxSpeedCap = 10240;

// .\save\EnvConfig.json and .\save\Log.json.
std::wstring SettingsFilePath();
std::wstring DownloadLogFilePath();

// Reads the settings file over settings. False when the file cannot be read or parsed; members
// that are missing or of the wrong JSON type leave their field as it was.
bool ReadSettingsFile(const std::wstring& path, LauncherSettings& settings);
// Writes all nine stored members, tab-indented; whole or not at all.
bool WriteSettingsFile(const std::wstring& path, const LauncherSettings& settings);

// As above for the statistics file and its five members.
bool ReadDownloadLogFile(const std::wstring& path, DownloadLog& log);
bool WriteDownloadLogFile(const std::wstring& path, const DownloadLog& log);
