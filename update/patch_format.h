#pragma once

#include <cstdint>

// Layout of the inflated patch: "BSDIFN40", control length C, diff length D, new size N, then
// the control block (C bytes of (x, y, z) triples), the diff block (D bytes) and the extra block
// (the rest). Every number is 8 bytes (see DecodePatchNumber).

inline constexpr int kPatchHeaderSize = 32;
inline constexpr int kPatchNumberSize = 8;
inline constexpr int kPatchTripleSize = 3 * kPatchNumberSize;
// The streaming applier writes spans in pieces of this size, with a cancel test after each.
inline constexpr int kPatchPieceSize = 0x3200000;

// Bytes 0-3 are the magnitude (little-endian, signed 32-bit), bit 7 of byte 7 negates it; the
// negation wraps in 32 bits, so a magnitude with bit 31 set stays negative either way and no
// number reaches 2^31.
std::int32_t DecodePatchNumber(const std::uint8_t* bytes);

struct PatchHeader {
    std::int32_t controlLength = 0;
    std::int32_t diffLength = 0;
    std::int32_t newSize = 0;
};

enum class PatchHeaderCheck {
    kValid,
    kTooShort,   // fewer than 32 bytes
    kBadMagic,
    kNegative,   // C, D or N below 0
};

// Reads the header of an inflated patch of length bytes.
PatchHeaderCheck ReadPatchHeader(const std::uint8_t* patch, std::int64_t length, PatchHeader& header);

// The largest new file the patch can describe: every new byte takes one byte of the diff cursor
// (which starts at 32 + C) or of the extra cursor (32 + C + D), and both end at the patch's end.
// Bounds N before anything is allocated for it.
std::int64_t MaxPatchedSize(const PatchHeader& header, std::int64_t length);
