#include "app/hklm_string_value.h"

#include <cwchar>

#include <windows.h>

#include "app/registry_key.h"

namespace {

// Values longer than this are never the short texts compared here; they count as different.
constexpr DWORD kMaxComparedBytes = 64 * 1024;

ScopedRegistryKey OpenKey(const std::wstring& key, const std::wstring& alternativeKey,
                          REGSAM access) {
    HKEY raw = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, access, &raw) == ERROR_SUCCESS)
        return ScopedRegistryKey(raw);
    if (!alternativeKey.empty() &&
        ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, alternativeKey.c_str(), 0, access, &raw) ==
            ERROR_SUCCESS)
        return ScopedRegistryKey(raw);
    return ScopedRegistryKey();
}

// True when the value is a string (up to its first NUL) equal to text.
bool HoldsText(HKEY key, const std::wstring& valueName, const std::wstring& text) {
    DWORD type = 0, bytes = 0;
    if (::RegQueryValueExW(key, valueName.c_str(), nullptr, &type, nullptr, &bytes) !=
            ERROR_SUCCESS ||
        type != REG_SZ || bytes > kMaxComparedBytes)
        return false;
    std::wstring stored(bytes / sizeof(wchar_t) + 1, L'\0');  // room for a missing NUL
    if (::RegQueryValueExW(key, valueName.c_str(), nullptr, &type,
                           reinterpret_cast<BYTE*>(stored.data()), &bytes) != ERROR_SUCCESS ||
        type != REG_SZ)
        return false;
    stored.resize(std::wcslen(stored.c_str()));
    return stored == text;
}

}  // namespace

int SetHklmStringValue(const std::wstring& key, const std::wstring& alternativeKey,
                       const std::wstring& valueName, const std::wstring& text) {
    if (const ScopedRegistryKey readable = OpenKey(key, alternativeKey, KEY_QUERY_VALUE);
        readable && HoldsText(readable.Get(), valueName, text))
        return 0;
    const ScopedRegistryKey writable = OpenKey(key, alternativeKey, KEY_SET_VALUE);
    if (!writable) return -1;
    const DWORD bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    return ::RegSetValueExW(writable.Get(), valueName.c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(text.c_str()), bytes) == ERROR_SUCCESS
               ? 1
               : -1;
}
