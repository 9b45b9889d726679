#include "app/ip_address.h"

#include <cstddef>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsHexDigit(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool IsIpv4Part(std::string_view part) {
    if (part.empty() || part.size() > 3 || (part.size() > 1 && part[0] == '0')) {
        return false;
    }
    int value = 0;
    for (char c : part) {
        if (!IsDigit(c)) {
            return false;
        }
        value = value * 10 + (c - '0');
    }
    return value <= 255;
}

bool IsIpv4(std::string_view text) {
    for (int part = 0; part < 4; ++part) {
        const std::size_t dot = text.find('.');
        const bool last = part == 3;
        if (last != (dot == std::string_view::npos)) {
            return false;
        }
        if (!IsIpv4Part(text.substr(0, dot))) {
            return false;
        }
        if (!last) {
            text.remove_prefix(dot + 1);
        }
    }
    return true;
}

// Counts the 16-bit groups of a colon-separated run ("" counts 0); an IPv4 tail, allowed only
// as the last group of the address, counts 2. -1 when the run is malformed.
int CountIpv6Groups(std::string_view run, bool mayEndWithIpv4) {
    if (run.empty()) {
        return 0;
    }
    int groups = 0;
    while (true) {
        const std::size_t colon = run.find(':');
        const std::string_view group = run.substr(0, colon);
        if (colon == std::string_view::npos && mayEndWithIpv4 && group.find('.') != std::string_view::npos) {
            return IsIpv4(group) ? groups + 2 : -1;
        }
        if (group.empty() || group.size() > 4) {
            return -1;
        }
        for (char c : group) {
            if (!IsHexDigit(c)) {
                return -1;
            }
        }
        ++groups;
        if (colon == std::string_view::npos) {
            return groups;
        }
        run.remove_prefix(colon + 1);
    }
}

bool IsIpv6(std::string_view text) {
    const std::size_t gap = text.find("::");
    if (gap == std::string_view::npos) {
        return CountIpv6Groups(text, true) == 8;
    }
    const std::string_view head = text.substr(0, gap);
    const std::string_view tail = text.substr(gap + 2);
    if (tail.find("::") != std::string_view::npos) {
        return false;
    }
    const int headGroups = CountIpv6Groups(head, false);
    const int tailGroups = CountIpv6Groups(tail, true);
    // "::" stands for at least one group of zeros.
    return headGroups >= 0 && tailGroups >= 0 && headGroups + tailGroups <= 7;
}

}  // namespace

bool IsIpAddressText(std::string_view text) {
    if (text.find(':') != std::string_view::npos) {
        return IsIpv6(text);
    }
    return IsIpv4(text);
}
