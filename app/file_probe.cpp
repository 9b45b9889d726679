#include "app/file_probe.h"

#include <windows.h>

#include "base/unique_handle.h"

bool CanOpenForReading(const std::wstring& path) {
    kbase::ScopedFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(file);
}

void DeleteIfPresent(const std::wstring& path) {
    if (CanOpenForReading(path)) ::DeleteFileW(path.c_str());
}
