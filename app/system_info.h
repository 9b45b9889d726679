#pragma once

#include <optional>
#include <string>

// Small pieces of system data that telemetry and the disk checks report. Every reader gives an
// empty text on failure and reports nothing else.

// date := "YYYY-MM-DD", time := "hh:mm:ss", both of the current UTC time read once. Always true.
bool GetUtcDateTime(std::string& date, std::string& time);

// Seconds since 1970-01-01 UTC.
long long GetUnixTimeSeconds();

// "major.minor.build" of the running Windows, from its version key ("0.0.<build>" on systems
// without the two number values).
std::string GetOsVersionText();

// The processor's marketing name as the system records it.
std::string GetCpuName();

// The machine GUID the system keeps for this installation.
std::string GetMachineGuid();

// The Windows product name ("Windows 10 Pro").
std::string GetWindowsProductName();

// ISO 3166 country code of the system's default locale, UTF-8; nothing when the query fails.
std::optional<std::string> GetLocaleCountryCode();

// The drive letter(s) before the first ':' of path, a relative path first being made absolute
// against the working folder; empty for paths without a drive (network shares).
std::wstring GetDriveName(const std::wstring& path);
