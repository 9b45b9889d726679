#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace ui {

// Raw frame data read while decoding an image, kept apart from GDI+ so it can be checked on
// any bytes.

// The frame delays (hundredths of a second) in the value of a frame-delay property: one
// little-endian 32-bit number per frame. Frames the value does not reach get 0; numbers past
// the frame count are ignored.
std::vector<int> ReadFrameDelays(std::span<const std::byte> value, std::size_t frameCount);

// Bytes of a DIB of `rows` rows of `rowBytes` bytes; the height is negative for a top-down DIB.
// 64-bit, so no pair of 32-bit sizes overflows.
std::uint64_t DibByteCount(long rowBytes, long rows);

// Whether any pixel of 32-bit BGRA data has an alpha below 255.
bool HasTranslucentPixel(std::span<const std::uint8_t> bgra);

}  // namespace ui
