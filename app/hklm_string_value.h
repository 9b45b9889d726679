#pragma once

#include <string>

// Stores text as the string value valueName of the machine-wide key (HKEY_LOCAL_MACHINE, the
// process's native view), or of alternativeKey (when not empty) when key cannot be opened.
// Returns 0 when the value already holds text (nothing written), 1 when it was written, -1
// when neither key opens for writing or the write fails.
int SetHklmStringValue(const std::wstring& key, const std::wstring& alternativeKey,
                       const std::wstring& valueName, const std::wstring& text);
