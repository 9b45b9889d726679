#pragma once

#include <array>
#include <optional>
#include <string>

// Versions are texts A_B_C of three decimal numbers, ordered by A, then C, then B.

// A parsed version in compare order {A, C, B}: compare keys with the array's operators.
using VersionKey = std::array<int, 3>;

// Each part must be nothing but decimal digits and fit a signed 32-bit number; anything else
// (fewer or more parts, signs, blanks, trailing text) is not a version. Versions name folders
// on disk, so nothing beyond the digits is ever accepted.
std::optional<VersionKey> ParseVersionKey(const std::string& version);

// Reads a version as first := A, second := C, third := B (the order in which they compare);
// false with all outputs 0 when it is not a version.
bool ParseVersionTriple(const std::string& version, int& first, int& second, int& third);

// Result codes of CompareVersions, in the order they are tested.
enum VersionCompareResult : int {
    kVersionEmpty = 0,
    kBaseEmpty = -1,
    kVersionUnparsable = -2,
    kBaseUnparsable = -3,
    kOtherBaseUnparsable = -4,
    kOlderThanOtherBase = -7,   // otherBase given and differing from base
    kNewerThanOtherBase = -5,   // otherBase given and differing from base
    kVersionNewer = 1,          // newer than base, or equal to a differing otherBase
    kNotNewerThanBase = -6,
};

// Compares version with base; an otherBase that is given and differs from base takes base's
// place, and a version equal to it counts as newer.
int CompareVersions(const std::string& version, const std::string& base, const std::string& otherBase);
