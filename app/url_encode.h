#pragma once

#include <string>
#include <string_view>

// Percent-encodes every byte of text except the unreserved characters A-Z a-z 0-9 - . _ ~,
// with upper-case hex digits ("a b&c" gives "a%20b%26c"), so that any value can stand in a
// URL query. Non-ASCII bytes are encoded one by one, as UTF-8 query values are.
std::string PercentEncode(std::string_view text);

// The same for a relative URL path, keeping what a path may hold as it is: '/' and the
// characters A-Z a-z 0-9 - . _ ~ ! $ & ' ( ) * + , ; = : @. File names as the servers list them
// (UTF-8, blanks, '%', '#', '?') so reach the file they name ("\xC3\xBC b/c" gives "%C3%BC%20b/c").
std::string PercentEncodePath(std::string_view path);
