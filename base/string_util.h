#pragma once

#include <cstddef>
#include <list>
#include <string>
#include <string_view>

namespace kbase {

// Splits text at every run of characters from delimiters; empty pieces are dropped.
std::list<std::wstring> SplitByDelimiters(const std::wstring& text, const std::wstring& delimiters);

// Removes trailing spaces and characters 0-29 (30 and 31 stay); returns text.
std::wstring& TrimTrailingSpaceAndControls(std::wstring& text);

// Replaces every non-overlapping occurrence of find, left to right, without rescanning the
// inserted text. Returns the count; an empty find replaces nothing.
std::size_t ReplaceAll(std::string_view find, std::string_view replacement, std::string& subject);
std::size_t ReplaceAll(std::wstring_view find, std::wstring_view replacement, std::wstring& subject);

// Slashes become backslashes and each pair of backslashes becomes one (a single pass, so three
// in a row stay two). A leading pair (a UNC or \\?\ prefix) is kept.
std::wstring NormalizePathSeparators(const std::wstring& path);

}  // namespace kbase
