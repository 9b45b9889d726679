#pragma once

#include <string>
#include <string_view>

// Percent-encodes every byte of text except the unreserved characters A-Z a-z 0-9 - . _ ~,
// with upper-case hex digits ("a b&c" gives "a%20b%26c"), so that any value can stand in a
// URL query. Non-ASCII bytes are encoded one by one, as UTF-8 query values are.
std::string PercentEncode(std::string_view text);
