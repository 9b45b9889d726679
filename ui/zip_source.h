#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <span>

#include "base/unique_handle.h"

namespace ui {

// Where an archive's bytes come from: a file, by a handle the caller keeps or by a name the
// source opens (and closes), or a block of memory read in place. Positions are absolute: in
// the file or in the block.
class ZipSource {
public:
    // Null when the handle's position or size cannot be queried (not a disk file).
    static std::unique_ptr<ZipSource> FromHandle(HANDLE file);
    // Null when the file cannot be opened for reading.
    static std::unique_ptr<ZipSource> FromFileName(const wchar_t* path);
    static std::unique_ptr<ZipSource> FromMemory(const void* bytes, std::uint32_t length);

    ZipSource(const ZipSource&) = delete;
    ZipSource& operator=(const ZipSource&) = delete;

    // Fills out from position; false, on a short read or a read error, when it cannot fill it all.
    bool ReadAt(std::uint64_t position, std::span<std::uint8_t> out) const;

    // The archive lies in [start, end): start is a file handle's position when it was given.
    std::uint64_t start() const { return start_; }
    std::uint64_t end() const { return end_; }

private:
    ZipSource() = default;
    static std::unique_ptr<ZipSource> FromFile(HANDLE file, kbase::ScopedFileHandle owned);

    kbase::ScopedFileHandle ownedFile_;  // set only when the source opened the file itself
    HANDLE file_ = INVALID_HANDLE_VALUE;
    const std::uint8_t* memory_ = nullptr;
    std::uint64_t start_ = 0;
    std::uint64_t end_ = 0;
};

}  // namespace ui
