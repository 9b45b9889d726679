#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace ui {

// Readers of skin attribute values. They never step past the end of the text and never fail:
// what cannot be read takes the documented default.

// True only for the exact text "true".
bool ParseBool(const std::wstring& value);

// A decimal integer after optional white space and sign; 0 when the text does not start with
// one. Values beyond the int range are clamped.
int ParseInt(const std::wstring& value);

// `count` decimal integers; each after the first starts one character after the end of the
// previous one, so any single separator works ("1,2,3,4", "1 2 3 4"). Numbers missing at the
// end read as 0.
std::vector<int> ParseIntList(const std::wstring& value, std::size_t count);

RECT ParseRect(const std::wstring& value);   // four numbers: left, top, right, bottom
SIZE ParseSize(const std::wstring& value);   // two numbers: cx, cy
POINT ParsePoint(const std::wstring& value); // two numbers: x, y

// The control state (0 normal to 3 disabled) whose attribute name stands at that index of a
// table of four names; -1 when the name is not in it.
int StateOfAttribute(const std::wstring& name, const wchar_t* const (&names)[4]);

}  // namespace ui
