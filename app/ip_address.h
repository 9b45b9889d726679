#pragma once

#include <string_view>

// True when text is exactly one IP address in its usual textual form, nothing around it:
// IPv4 as four dotted decimal parts 0-255 without leading zeros (which some readers take as
// octal), or IPv6 as up to eight groups of 1-4 hex digits, with at most one "::" and an
// optional dotted IPv4 tail. Zone ids, brackets, ports and white space are refused.
bool IsIpAddressText(std::string_view text);
