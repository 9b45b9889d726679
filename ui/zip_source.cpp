#include "ui/zip_source.h"

#include <algorithm>
#include <cstring>

namespace ui {

std::unique_ptr<ZipSource> ZipSource::FromFile(HANDLE file, kbase::ScopedFileHandle owned) {
    LARGE_INTEGER position{};
    LARGE_INTEGER size{};
    if (file == INVALID_HANDLE_VALUE || file == nullptr ||
        !::SetFilePointerEx(file, LARGE_INTEGER{}, &position, FILE_CURRENT) || !::GetFileSizeEx(file, &size) ||
        position.QuadPart < 0 || size.QuadPart < position.QuadPart) {
        return nullptr;
    }
    std::unique_ptr<ZipSource> source(new ZipSource());
    source->ownedFile_ = std::move(owned);
    source->file_ = file;
    source->start_ = static_cast<std::uint64_t>(position.QuadPart);
    source->end_ = static_cast<std::uint64_t>(size.QuadPart);
    return source;
}

std::unique_ptr<ZipSource> ZipSource::FromHandle(HANDLE file) {
    return FromFile(file, kbase::ScopedFileHandle());
}

std::unique_ptr<ZipSource> ZipSource::FromFileName(const wchar_t* path) {
    if (!path) return nullptr;
    kbase::ScopedFileHandle file(::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                               FILE_ATTRIBUTE_NORMAL, nullptr));
    const HANDLE raw = file.Get();
    return FromFile(raw, std::move(file));
}

std::unique_ptr<ZipSource> ZipSource::FromMemory(const void* bytes, std::uint32_t length) {
    if (!bytes) return nullptr;
    std::unique_ptr<ZipSource> source(new ZipSource());
    source->memory_ = static_cast<const std::uint8_t*>(bytes);
    source->end_ = length;
    return source;
}

bool ZipSource::ReadAt(std::uint64_t position, std::span<std::uint8_t> out) const {
    if (position > end_ || out.size() > end_ - position) return false;
    if (memory_) {
        std::memcpy(out.data(), memory_ + position, out.size());
        return true;
    }
    LARGE_INTEGER to{};
    to.QuadPart = static_cast<LONGLONG>(position);
    if (!::SetFilePointerEx(file_, to, nullptr, FILE_BEGIN)) return false;
    std::size_t done = 0;
    while (done < out.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(out.size() - done, 1u << 30));
        DWORD got = 0;
        if (!::ReadFile(file_, out.data() + done, chunk, &got, nullptr) || got == 0) return false;
        done += got;
    }
    return true;
}

}  // namespace ui
