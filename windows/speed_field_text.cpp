#include "windows/speed_field_text.h"

#include <algorithm>

#include "app/launcher_settings.h"

int SpeedFieldValue(std::string_view text) {
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') break;
        value = std::min(value * 10 + (c - '0'), kMaxSpeedCap);
    }
    return value;
}

std::string TypedSpeedText(std::string_view text) {
    if (text.empty()) return std::string();
    return std::to_string(SpeedFieldValue(text));
}

int CommittedSpeed(std::string_view text) {
    if (text.empty()) return kMinSpeedCap;
    return std::clamp(SpeedFieldValue(text), kMinSpeedCap, kMaxSpeedCap);
}
