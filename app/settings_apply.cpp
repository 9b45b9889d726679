#include "app/settings_apply.h"

#include <algorithm>

#include "app/language_codes.h"

namespace {

template <class T>
bool Take(T& field, const T& value) {
    if (field == value) return false;
    field = value;
    return true;
}

}  // namespace

SettingsChanges ApplyEditedSettings(LauncherSettings& live, const LauncherSettings& edited,
                                    const AutostartSwitch& setAutostart) {
    SettingsChanges changes;
    if (Take(live.languageType, edited.languageType)) {
        live.language = std::string(LanguageCodeAt(live.languageType));
        changes.languageChanged = true;
    }
    const bool pathChanged = Take(live.gamePath, edited.gamePath);
    if (Take(live.closeToHide, edited.closeToHide)) {
        changes.closeText = live.closeToHide ? "1" : "2";
    }
    const int downloadSpeed = std::clamp(edited.downloadSpeed, kMinSpeedCap, kMaxSpeedCap);
    changes.speedChanged |= Take(live.downloadSpeed, downloadSpeed);
    changes.speedChanged |= Take(live.downloadLimit, edited.downloadLimit);
    const int predlcSpeed = std::clamp(edited.predlcSpeed, kMinSpeedCap, kMaxSpeedCap);
    changes.predlcSpeedChanged |= Take(live.predlcSpeed, predlcSpeed);
    changes.predlcSpeedChanged |= Take(live.predlcLimit, edited.predlcLimit);
    const bool autostartChanged = live.automaticStart != edited.automaticStart;
    if (autostartChanged) {
        live.automaticStart = setAutostart(edited.automaticStart) && edited.automaticStart;
        changes.autostartText = live.automaticStart ? "1" : "0";
    }
    const bool updateChanged = Take(live.autoUpdate, edited.autoUpdate);
    changes.changed = changes.languageChanged || pathChanged || !changes.closeText.empty() ||
                      changes.speedChanged || changes.predlcSpeedChanged || autostartChanged ||
                      updateChanged;
    changes.downloadCap = live.downloadLimit ? live.downloadSpeed : 0;
    changes.predlcCap = live.predlcLimit ? live.predlcSpeed : 0;
    return changes;
}
