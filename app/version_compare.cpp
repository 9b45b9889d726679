#include "app/version_compare.h"

#include <climits>
#include <string_view>

namespace {

std::optional<int> ParsePart(std::string_view part) {
    if (part.empty()) {
        return std::nullopt;
    }
    long long value = 0;
    for (char c : part) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
        if (value > INT_MAX) {
            return std::nullopt;
        }
    }
    return static_cast<int>(value);
}

}  // namespace

std::optional<VersionKey> ParseVersionKey(const std::string& version) {
    const std::size_t first = version.find('_');
    if (first == std::string::npos) {
        return std::nullopt;
    }
    const std::size_t second = version.find('_', first + 1);
    if (second == std::string::npos || version.find('_', second + 1) != std::string::npos) {
        return std::nullopt;
    }
    const std::string_view text(version);
    const auto a = ParsePart(text.substr(0, first));
    const auto b = ParsePart(text.substr(first + 1, second - first - 1));
    const auto c = ParsePart(text.substr(second + 1));
    if (!a || !b || !c) {
        return std::nullopt;
    }
    return VersionKey{*a, *c, *b};
}

bool ParseVersionTriple(const std::string& version, int& first, int& second, int& third) {
    first = second = third = 0;
    const auto key = ParseVersionKey(version);
    if (!key) {
        return false;
    }
    first = (*key)[0];
    second = (*key)[1];
    third = (*key)[2];
    return true;
}

int CompareVersions(const std::string& version, const std::string& base, const std::string& otherBase) {
    if (version.empty()) {
        return kVersionEmpty;
    }
    if (base.empty()) {
        return kBaseEmpty;
    }
    const auto versionKey = ParseVersionKey(version);
    if (!versionKey) {
        return kVersionUnparsable;
    }
    const auto baseKey = ParseVersionKey(base);
    if (!baseKey) {
        return kBaseUnparsable;
    }
    std::optional<VersionKey> otherKey;
    if (!otherBase.empty()) {
        otherKey = ParseVersionKey(otherBase);
        if (!otherKey) {
            return kOtherBaseUnparsable;
        }
    }
    if (otherKey && otherBase != base) {
        if (*versionKey < *otherKey) {
            return kOlderThanOtherBase;
        }
        if (*versionKey > *otherKey) {
            return kNewerThanOtherBase;
        }
        return kVersionNewer;
    }
    return *versionKey > *baseKey ? kVersionNewer : kNotNewerThanBase;
}
