#pragma once

#include <string>

// The machine-wide autostart entry "TVNLauncher" under the Run key: the 32-bit view's key
// first, the native one when that cannot be opened.
inline constexpr wchar_t kAutostartValueName[] = L"TVNLauncher";
inline constexpr wchar_t kAutostartKey[] = L"SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kAutostartFallbackKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

// The command the entry holds: the executable's path in quotes, so that a path with blanks
// starts this program and not the first word of it.
std::wstring AutostartCommand(const std::wstring& executablePath);

// Writes the entry for executablePath; an equal entry is left alone. True when the entry is
// in place afterwards.
bool EnableAutostart(const std::wstring& executablePath);

// Deletes the entry; failures are ignored (there may be none).
void DisableAutostart();

// Turns autostart on for the running executable or off; the result is whether it is on now.
bool SetAutostart(bool enable);
