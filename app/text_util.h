#pragma once

#include <string>
#include <vector>

// "HH:MM:SS" for a duration: hours as many digits as they need (at least two). Writes nothing
// when buffer is null or capacity is not positive; cuts the text to fit, always terminated.
void FormatDuration(unsigned seconds, wchar_t* buffer, int capacity);

// out := the pieces of text cut at each character that occurs in separator, skipping
// separator.size() characters at each cut. Empty pieces between and before separators are
// kept; a separator at the very end adds no empty piece. Returns the count; 0 when text or
// separator is empty.
int SplitString(const std::string& text, const std::string& separator,
                std::vector<std::string>& out);
int SplitStringW(const std::wstring& text, const std::wstring& separator,
                 std::vector<std::wstring>& out);
