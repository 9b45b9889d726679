#pragma once

#include <string>
#include <string_view>

// What the settings window's speed fields make of their text (KiB/s). The fields take digits
// only, but a pasted text may hold anything: these read it without ever failing.

// The leading decimal digits of text as a number, saturating at kMaxSpeedCap; 0 when text
// starts with no digit.
int SpeedFieldValue(std::string_view text);

// What a field shows while the user types: empty stays empty, anything else becomes its
// value's decimal text, so a number above the cap turns into the cap at once while a number
// below the minimum stays until the field is left.
std::string TypedSpeedText(std::string_view text);

// The speed a field stands for once it is left: the minimum when empty, else its value held
// to kMinSpeedCap ... kMaxSpeedCap.
int CommittedSpeed(std::string_view text);
