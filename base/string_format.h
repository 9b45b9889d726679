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

// A text from outside (a language file) with one value put in: the first "%ls" or "%s" becomes
// value and "%%" becomes "%"; every other "%" sequence stays as it stands. The text is never
// used as a format, so a stray "%d" or "%n" in a translation cannot read or write anything.
std::wstring FillTextValue(const std::wstring& text, const std::wstring& value);

}  // namespace kbase
