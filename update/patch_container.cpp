#include "update/patch_container.h"

#include <climits>
#include <new>

#include <zlib.h>

namespace {

// Deflate cannot expand more than this (a 258-byte match in two bits): a U above P times it
// cannot be honest.
constexpr std::int64_t kMaxInflateRatio = 1032;

// 1 read whole, 0 short, -1 failed.
int ReadExact(HANDLE file, void* buffer, DWORD count) {
    DWORD got = 0;
    if (!::ReadFile(file, buffer, count, &got, nullptr)) return -1;
    return got == count ? 1 : 0;
}

// Bytes from the current position to the end, or -1 when the handle cannot tell (not a disk file).
std::int64_t BytesLeft(HANDLE file) {
    LARGE_INTEGER size{};
    LARGE_INTEGER position{};
    if (!::GetFileSizeEx(file, &size) || !::SetFilePointerEx(file, LARGE_INTEGER{}, &position, FILE_CURRENT))
        return -1;
    return size.QuadPart > position.QuadPart ? size.QuadPart - position.QuadPart : 0;
}

std::uint32_t LittleEndian32(const std::uint8_t bytes[4]) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

// Inflates exactly unpacked bytes from the whole stream; a stream that ends early, runs on, or is
// damaged fails.
bool InflateExactly(const std::uint8_t* packed, std::uint32_t packedSize, std::uint8_t* out,
                    std::uint32_t unpacked) {
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK) return false;
    stream.next_in = const_cast<Bytef*>(packed);
    stream.avail_in = packedSize;
    stream.next_out = out;
    stream.avail_out = unpacked;
    const int result = inflate(&stream, Z_FINISH);
    const bool whole = result == Z_STREAM_END && stream.total_out == unpacked;
    inflateEnd(&stream);
    return whole;
}

}  // namespace

int ReadPatchContainer(HANDLE file, PatchBytes& data, int& size) {
    std::uint8_t field[4];
    int read = ReadExact(file, field, sizeof(field));
    if (read <= 0) return read < 0 ? kContainerUnpackedSizeUnreadable : kContainerUnpackedSizeShort;
    const std::uint32_t unpacked = LittleEndian32(field);
    read = ReadExact(file, field, sizeof(field));
    if (read <= 0) return read < 0 ? kContainerPackedSizeUnreadable : kContainerPackedSizeShort;
    const std::uint32_t packedSize = LittleEndian32(field);

    const std::int64_t left = BytesLeft(file);
    if (packedSize > INT_MAX || (left >= 0 && packedSize > left)) return kContainerStreamShort;
    PatchBytes packed(new (std::nothrow) std::uint8_t[packedSize + 1]);
    if (!packed) return kContainerStreamUnreadable;
    read = ReadExact(file, packed.get(), packedSize);
    if (read <= 0) return read < 0 ? kContainerStreamUnreadable : kContainerStreamShort;

    if (unpacked > INT_MAX || unpacked > kMaxInflateRatio * packedSize) return kContainerInflateFailed;
    PatchBytes inflated(new (std::nothrow) std::uint8_t[std::size_t{unpacked} + 1]);
    if (!inflated || !InflateExactly(packed.get(), packedSize, inflated.get(), unpacked))
        return kContainerInflateFailed;
    data = std::move(inflated);
    size = static_cast<int>(unpacked);
    return kContainerRead;
}
