#pragma once

#include <windows.h>

#include "base/unique_handle.h"

// Owner of an open registry key.
struct RegistryKeyTraits {
    using Raw = HKEY;
    static Raw Invalid() { return nullptr; }
    static void Close(Raw key) { ::RegCloseKey(key); }
};

using ScopedRegistryKey = kbase::UniqueHandle<RegistryKeyTraits>;
