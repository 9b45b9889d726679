#pragma once

#include <windows.h>

#include <vector>

// Windows that pair across processes carry a named property whose value is their own handle
// (the launcher's main window, the game's windows). A stale or foreign value never matches.
bool HasSelfProperty(HWND window, const wchar_t* property);

// The top-level windows carrying the property, top of the z-order first.
std::vector<HWND> FindWindowsWithSelfProperty(const wchar_t* property);
