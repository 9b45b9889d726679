#include "app/atomic_file.h"

#include <algorithm>
#include <cstddef>

#include <windows.h>

#include "base/lock.h"
#include "base/unique_handle.h"

namespace {

// WriteFile counts in 32 bits; larger contents go in pieces.
constexpr std::size_t kMaxWritePiece = 64u << 20;

kbase::Lock& WriterLock() {
    static kbase::Lock lock;
    return lock;
}

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD piece = static_cast<DWORD>(std::min(bytes.size(), kMaxWritePiece));
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), piece, &written, nullptr) || written != piece)
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

}  // namespace

bool WriteFileAtomic(const std::wstring& path, std::string_view bytes) {
    if (path.empty()) return false;
    kbase::AutoLock guard(WriterLock());
    // Same folder, so the replace is a rename on one volume; the process id keeps another
    // launcher process (the self-update copy) off this temporary.
    const std::wstring temporary = path + L".tmp" + std::to_wstring(::GetCurrentProcessId());
    kbase::ScopedFileHandle file(::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr,
                                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    const bool written = WriteAll(file.Get(), bytes) && ::FlushFileBuffers(file.Get());
    file.Reset();  // closed before the rename
    if (written && ::MoveFileExW(temporary.c_str(), path.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    ::DeleteFileW(temporary.c_str());
    return false;
}
