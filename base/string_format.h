#pragma once

#include <cstdarg>
#include <string>

namespace kbase {

// printf-style formatting into wide strings. Pass wide string arguments with %ls and narrow
// ones with %hs: this toolchain's wide printf functions disagree on what a bare %s reads
// (some take it as narrow), so %s is never used with them.

// Appends the formatted text to out. Text longer than 33,554,431 characters, or a format the
// runtime rejects, appends nothing.
void AppendFormattedV(const wchar_t* format, va_list args, std::wstring& out);

// A new string holding the formatted text; wide strings as %ls (see above).
std::wstring FormatWideString(const wchar_t* format, ...);

}  // namespace kbase
