#pragma once

#include <cstdint>

#include <windows.h>

// A cursor over the inflated patch (the diff or the extra block of the streaming applier). It is
// bounded only by the end of the inflated patch, not by the end of its own block.
class PatchBlockReader {
public:
    PatchBlockReader(const std::uint8_t* data, int length, int position)
        : data_(data), length_(length), position_(position) {}

    int position() const { return position_; }

    // Writes count new bytes at newPosition (the file is positioned there once when it is not
    // negative) in pieces of kPatchPieceSize: each is the reader's next bytes, plus the old file's
    // bytes where [oldPosition, oldPosition + count) overlaps the old file, when oldFile is given.
    // A raised PatchCancelFlag stops it after a full piece. Returns count, -1 when a full piece
    // fails or the cancel flag stops it, -2 when the last, partial piece fails.
    int ApplyPatchSpan(int count, HANDLE newFile, std::int64_t newPosition, HANDLE oldFile, std::int64_t oldSize,
                       std::int64_t oldPosition, std::uint8_t* work, std::uint8_t* oldBytes);

    // One piece (count up to kPatchPieceSize) at the new file's current position. Returns count,
    // or -1 the reader has fewer than count bytes left, -2 an old-file read failed, -3 it came
    // back short, -4 the write failed, -5 it was short.
    int ApplyPatchChunk(int count, HANDLE newFile, HANDLE oldFile, std::int64_t oldPosition, std::int64_t oldSize,
                        std::uint8_t* work, std::uint8_t* oldBytes);

private:
    const std::uint8_t* data_;
    int length_;
    int position_;
};
