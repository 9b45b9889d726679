#pragma once

#include <functional>
#include <string>

#include "app/launcher_settings.h"

// What taking over an edited settings record changed, for the caller to act on: save the
// file and report when changed, re-apply the download caps, schedule the language switch.
struct SettingsChanges {
    bool changed = false;
    bool speedChanged = false;        // the game-download cap (downloadSpeed or downloadLimit)
    bool predlcSpeedChanged = false;  // the pre-download cap
    bool languageChanged = false;
    std::string autostartText;  // "1" on, "0" off, when automaticStart changed; else empty
    std::string closeText;      // "1" to the tray, "2" exit, when closeToHide changed; else empty
    int downloadCap = 0;        // downloadSpeed when downloadLimit is set, else 0
    int predlcCap = 0;          // predlcSpeed when predlcLimit is set, else 0
};

// Turns the autostart entry on or off; returns whether it is on afterwards.
using AutostartSwitch = std::function<bool(bool enable)>;

// Takes every field of edited that differs from live into live (edited.language is not read:
// the code follows languageType). Speeds are held to the caps the window offers.
SettingsChanges ApplyEditedSettings(LauncherSettings& live, const LauncherSettings& edited,
                                    const AutostartSwitch& setAutostart);
