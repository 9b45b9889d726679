#pragma once

#include <string>

#include <windows.h>

namespace kbase {

// The launcher's only conversion points between narrow text (UTF-8 or a code page) and UTF-16.
// Each empties its output first; invalid input is decoded as the platform decodes it
// (replacement characters), never rejected.

// NUL-terminated UTF-8. False, with out empty, for a null pointer or text the platform cannot size.
bool Utf8ToWide(const char* utf8, std::wstring& out);

// NUL-terminated UTF-16 to UTF-8. False, with out empty, when the platform cannot size it.
bool WideToUtf8(const wchar_t* wide, std::string& out);
// The whole string, embedded NULs included.
bool WideToUtf8(const std::wstring& wide, std::string& out);

// The whole string (NUL bytes included) from the code page (0 = the system's ANSI code page,
// CP_UTF8 = 65001). Text the platform cannot size gives an empty result and still true; only
// text longer than the platform's 32-bit counts gives false, rather than being cut.
bool CodePageToWide(const std::string& text, std::wstring& out, UINT code_page);
bool WideToCodePage(const std::wstring& text, std::string& out, UINT code_page);

}  // namespace kbase
