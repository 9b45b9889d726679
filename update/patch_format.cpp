#include "update/patch_format.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr char kMagic[8] = {'B', 'S', 'D', 'I', 'F', 'N', '4', '0'};

}  // namespace

std::int32_t DecodePatchNumber(const std::uint8_t* bytes) {
    std::uint32_t magnitude = static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
                              static_cast<std::uint32_t>(bytes[2]) << 16 |
                              static_cast<std::uint32_t>(bytes[3]) << 24;
    if (bytes[7] & 0x80) magnitude = 0u - magnitude;
    return static_cast<std::int32_t>(magnitude);
}

PatchHeaderCheck ReadPatchHeader(const std::uint8_t* patch, std::int64_t length, PatchHeader& header) {
    if (length < kPatchHeaderSize) return PatchHeaderCheck::kTooShort;
    if (std::memcmp(patch, kMagic, sizeof(kMagic)) != 0) return PatchHeaderCheck::kBadMagic;
    header.controlLength = DecodePatchNumber(patch + 8);
    header.diffLength = DecodePatchNumber(patch + 16);
    header.newSize = DecodePatchNumber(patch + 24);
    if (header.controlLength < 0 || header.diffLength < 0 || header.newSize < 0) return PatchHeaderCheck::kNegative;
    return PatchHeaderCheck::kValid;
}

std::int64_t MaxPatchedSize(const PatchHeader& header, std::int64_t length) {
    const std::int64_t diffStart = std::int64_t{kPatchHeaderSize} + header.controlLength;
    const std::int64_t extraStart = diffStart + header.diffLength;
    return std::max<std::int64_t>(0, length - diffStart) + std::max<std::int64_t>(0, length - extraStart);
}
