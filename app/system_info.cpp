#include "app/system_info.h"

#include <windows.h>

#include <cstdio>
#include <ctime>

#include <shlwapi.h>

#include "app/hklm_values.h"
#include "base/string_conversions.h"

namespace {

const wchar_t kWindowsVersionKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

}  // namespace

bool GetUtcDateTime(std::string& date, std::string& time) {
    SYSTEMTIME now = {};
    ::GetSystemTime(&now);
    char text[32];
    std::snprintf(text, sizeof(text), "%4d-%02d-%02d", now.wYear, now.wMonth, now.wDay);
    date = text;
    std::snprintf(text, sizeof(text), "%02d:%02d:%02d", now.wHour, now.wMinute, now.wSecond);
    time = text;
    return true;
}

long long GetUnixTimeSeconds() {
    return static_cast<long long>(std::time(nullptr));
}

std::string GetOsVersionText() {
    return ReadHklmDwordText(kWindowsVersionKey, "CurrentMajorVersionNumber") + "." +
           ReadHklmDwordText(kWindowsVersionKey, "CurrentMinorVersionNumber") + "." +
           ReadHklmString(kWindowsVersionKey, "CurrentBuild");
}

std::string GetCpuName() {
    return ReadHklmString(L"HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", "ProcessorNameString");
}

std::string GetMachineGuid() {
    return ReadHklmString(L"SOFTWARE\\Microsoft\\Cryptography", "MachineGuid");
}

std::string GetWindowsProductName() {
    return ReadHklmString(kWindowsVersionKey, "ProductName");
}

std::optional<std::string> GetLocaleCountryCode() {
    wchar_t code[16] = {};
    if (::GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_SISO3166CTRYNAME, code, ARRAYSIZE(code)) == 0) {
        return std::nullopt;
    }
    std::string text;
    kbase::WideToUtf8(code, text);
    return text;
}

std::wstring GetDriveName(const std::wstring& path) {
    std::wstring full = path;
    if (::PathIsRelativeW(path.c_str())) {
        const DWORD needed = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
        if (needed == 0) {
            return {};
        }
        full.assign(needed, L'\0');
        const DWORD length = ::GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
        if (length == 0 || length >= needed) {
            return {};
        }
        full.resize(length);
    }
    const std::size_t colon = full.find(L':');
    if (colon == std::wstring::npos || colon == 0) {
        return {};
    }
    return full.substr(0, colon);
}
