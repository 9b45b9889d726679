#include "app/hklm_values.h"

#include <windows.h>

#include "app/registry_key.h"
#include "base/string_conversions.h"

namespace {

ScopedRegistryKey OpenHklmKey(const std::wstring& keyPath) {
    HKEY raw = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY, &raw) !=
        ERROR_SUCCESS) {
        return ScopedRegistryKey();
    }
    return ScopedRegistryKey(raw);
}

std::wstring WideName(const std::string& valueName) {
    std::wstring name;
    kbase::Utf8ToWide(valueName.c_str(), name);
    return name;
}

}  // namespace

std::string ReadHklmString(const std::wstring& keyPath, const std::string& valueName) {
    const ScopedRegistryKey key = OpenHklmKey(keyPath);
    if (!key) {
        return {};
    }
    const std::wstring name = WideName(valueName);
    // The value may grow between sizing and reading it; a few rounds settle that.
    for (int round = 0; round < 4; ++round) {
        DWORD type = 0;
        DWORD bytes = 0;
        if (::RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
            (type != REG_SZ && type != REG_EXPAND_SZ)) {
            return {};
        }
        // One spare character beyond what the registry may fill stays NUL (an odd byte count
        // rounds up into it).
        std::wstring buffer(bytes / sizeof(wchar_t) + 2, L'\0');
        DWORD capacity = static_cast<DWORD>((buffer.size() - 1) * sizeof(wchar_t));
        const LSTATUS status = ::RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type,
                                                  reinterpret_cast<BYTE*>(buffer.data()), &capacity);
        if (status == ERROR_MORE_DATA) {
            continue;
        }
        if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
            return {};
        }
        std::string text;
        kbase::WideToUtf8(buffer.c_str(), text);
        return text;
    }
    return {};
}

std::string ReadHklmDwordText(const std::wstring& keyPath, const std::string& valueName) {
    const ScopedRegistryKey key = OpenHklmKey(keyPath);
    if (!key) {
        return "0";
    }
    DWORD type = 0;
    DWORD value = 0;
    DWORD bytes = sizeof(value);
    if (::RegQueryValueExW(key.Get(), WideName(valueName).c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value),
                           &bytes) != ERROR_SUCCESS ||
        type != REG_DWORD || bytes != sizeof(value)) {
        return "0";
    }
    return std::to_string(value);
}
