#include "update/patch_block_reader.h"

#include <algorithm>
#include <cstring>

#include "update/byte_add.h"
#include "update/patch_applier.h"
#include "update/patch_format.h"

namespace {

// Reads count bytes at offset, leaving the file position after them: 0, -2 failed, -3 short.
int ReadAt(HANDLE file, std::int64_t offset, std::uint8_t* buffer, DWORD count) {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(static_cast<std::uint64_t>(offset) >> 32);
    DWORD got = 0;
    if (!::ReadFile(file, buffer, count, &got, &at)) return ::GetLastError() == ERROR_HANDLE_EOF ? -3 : -2;
    return got == count ? 0 : -3;
}

}  // namespace

int PatchBlockReader::ApplyPatchSpan(int count, HANDLE newFile, std::int64_t newPosition, HANDLE oldFile,
                                     std::int64_t oldSize, std::int64_t oldPosition, std::uint8_t* work,
                                     std::uint8_t* oldBytes) {
    if (newPosition >= 0) {
        LARGE_INTEGER to{};
        to.QuadPart = newPosition;
        ::SetFilePointerEx(newFile, to, nullptr, FILE_BEGIN);
    }
    int done = 0;
    for (; count - done >= kPatchPieceSize; done += kPatchPieceSize) {
        if (ApplyPatchChunk(kPatchPieceSize, newFile, oldFile, oldPosition, oldSize, work, oldBytes) !=
            kPatchPieceSize)
            return -1;
        oldPosition += kPatchPieceSize;
        if (PatchCancelFlag.load(std::memory_order_relaxed)) return -1;
    }
    const int rest = count - done;
    if (rest > 0 && ApplyPatchChunk(rest, newFile, oldFile, oldPosition, oldSize, work, oldBytes) != rest) return -2;
    return count;
}

int PatchBlockReader::ApplyPatchChunk(int count, HANDLE newFile, HANDLE oldFile, std::int64_t oldPosition,
                                      std::int64_t oldSize, std::uint8_t* work, std::uint8_t* oldBytes) {
    if (count > length_ - position_) return -1;
    const std::uint8_t* patch = data_ + position_;
    position_ += count;

    // The part of [oldPosition, oldPosition + count) inside the old file, as offsets in the piece.
    const std::int64_t from = std::max<std::int64_t>(0, -oldPosition);
    const std::int64_t to = std::min<std::int64_t>(count, oldSize - oldPosition);
    const std::uint8_t* out = patch;  // bytes without old ones to add go out as they stand
    if (oldFile && oldBytes && from < to) {
        const int result = ReadAt(oldFile, oldPosition + from, oldBytes, static_cast<DWORD>(to - from));
        if (result < 0) return result;
        std::memcpy(work, patch, static_cast<std::size_t>(from));
        AddBytes(work + from, patch + from, oldBytes, static_cast<std::size_t>(to - from));
        std::memcpy(work + to, patch + to, static_cast<std::size_t>(count - to));
        out = work;
    }

    DWORD written = 0;
    if (!::WriteFile(newFile, out, static_cast<DWORD>(count), &written, nullptr)) return -4;
    return written == static_cast<DWORD>(count) ? count : -5;
}
