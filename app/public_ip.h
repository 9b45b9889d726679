#pragma once

#include <string>
#include <string_view>

// The public address from the echo service's answer: the body without any white space, when
// the request succeeded (code not negative) and what is left is an IP address; else empty,
// and the caller falls back to GetLocalIpAddress.
std::string PublicIpFromAnswer(int code, std::string_view body);

// Dotted IPv4 text of the first address this host's name resolves to; empty when the name
// cannot be read or resolved.
std::string GetLocalIpAddress();
