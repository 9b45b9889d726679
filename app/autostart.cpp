#include "app/autostart.h"

#include <windows.h>

#include "app/hklm_string_value.h"
#include "app/registry_key.h"
#include "base/path_util.h"

std::wstring AutostartCommand(const std::wstring& executablePath) {
    return L"\"" + executablePath + L"\"";
}

bool EnableAutostart(const std::wstring& executablePath) {
    if (executablePath.empty()) return false;
    return SetHklmStringValue(kAutostartKey, kAutostartFallbackKey, kAutostartValueName,
                              AutostartCommand(executablePath)) >= 0;
}

void DisableAutostart() {
    for (const wchar_t* path : {kAutostartKey, kAutostartFallbackKey}) {
        HKEY raw = nullptr;
        if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_SET_VALUE, &raw) == ERROR_SUCCESS) {
            ScopedRegistryKey key(raw);
            ::RegDeleteValueW(key.Get(), kAutostartValueName);
            return;
        }
    }
}

bool SetAutostart(bool enable) {
    if (!enable) {
        DisableAutostart();
        return false;
    }
    return EnableAutostart(kbase::GetModuleFilePath(nullptr));
}
