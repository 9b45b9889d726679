#include "update/atomic_copy.h"

#include <windows.h>

bool CopyFileAtomic(const std::wstring& source, const std::wstring& target, unsigned long retryMs) {
    if (source.empty() || target.empty()) return false;
    // The process id keeps two launcher processes off one temporary.
    const std::wstring temporary = target + L".new" + std::to_wstring(::GetCurrentProcessId());
    if (!::CopyFileW(source.c_str(), temporary.c_str(), FALSE)) {
        const DWORD error = ::GetLastError();
        ::DeleteFileW(temporary.c_str());
        ::SetLastError(error);
        return false;
    }
    const ULONGLONG start = ::GetTickCount64();
    for (;;) {
        if (::MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        if (::GetTickCount64() - start >= retryMs) break;
        ::Sleep(kCopyRetryStepMs);
    }
    const DWORD error = ::GetLastError();
    ::DeleteFileW(temporary.c_str());
    ::SetLastError(error);
    return false;
}
