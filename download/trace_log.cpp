#include "download/trace_log.h"

#include <windows.h>

#include "base/path_util.h"
#include "base/unique_handle.h"

void TraceLog::Reset(const std::string& path) {
    path_ = path;
    kbase::ScopedFileHandle file(::CreateFileW(kbase::WidePath(path_).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

void TraceLog::Append(const std::string& line) const {
    if (path_.empty()) return;
    kbase::ScopedFileHandle file(::CreateFileW(kbase::WidePath(path_).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                               OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    DWORD written = 0;
    ::WriteFile(file.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}
