#include "ui/zip_local_header.h"

#include <array>

#include "ui/zip_bytes.h"
#include "ui/zip_directory.h"
#include "ui/zip_reader.h"
#include "ui/zip_source.h"

namespace ui {

namespace {

constexpr std::uint32_t kLocalSignature = 0x04034b50;
constexpr std::size_t kLocalHeaderSize = 30;
// Deflate cannot expand more than this (a 258-byte match in two bits); a larger stated size
// cannot be honest.
constexpr std::uint64_t kMaxInflateRatio = 1032;

// The stated sizes fit what the method can make of the stored bytes.
bool SizesPlausible(const ZipCentralRecord& record) {
    std::uint64_t packed = record.compressedSize;
    if (record.flags & kZipFlagEncrypted) {
        if (packed < kZipEncryptionHeaderSize) return false;
        packed -= kZipEncryptionHeaderSize;
    }
    if (record.method == kZipStored) return packed == record.uncompressedSize;
    return record.uncompressedSize <= packed * kMaxInflateRatio;
}

}  // namespace

int LocateZipItem(const ZipSource& source, const ZipDirectory& directory, const ZipCentralRecord& record,
                  bool withExtra, ZipItemPlace& place) {
    const std::uint64_t header = directory.bytesBefore + record.localHeaderOffset;
    std::array<std::uint8_t, kLocalHeaderSize> raw{};
    if (header > directory.directoryStart || directory.directoryStart - header < raw.size() ||
        !source.ReadAt(header, raw)) {
        return kZipBadLocalHeader;
    }
    ZipBytes bytes(raw);
    const std::uint32_t signature = bytes.U32();
    bytes.U16();  // version needed
    const std::uint16_t flags = bytes.U16();
    const std::uint16_t method = bytes.U16();
    bytes.U32();  // DOS date and time
    const std::uint32_t crc32 = bytes.U32();
    const std::uint32_t compressedSize = bytes.U32();
    const std::uint32_t uncompressedSize = bytes.U32();
    const std::uint16_t nameLength = bytes.U16();
    const std::uint16_t extraLength = bytes.U16();
    const bool sizesInDescriptor = (flags & kZipFlagDataDescriptor) != 0;
    if (!bytes.ok() || signature != kLocalSignature || method != record.method ||
        (method != kZipStored && method != kZipDeflated) || nameLength != record.name.size() ||
        (!sizesInDescriptor && (crc32 != record.crc32 || compressedSize != record.compressedSize ||
                                uncompressedSize != record.uncompressedSize)) ||
        !SizesPlausible(record)) {
        return kZipBadLocalHeader;
    }
    place.dataStart = header + raw.size() + nameLength + extraLength;
    if (place.dataStart > directory.directoryStart ||
        directory.directoryStart - place.dataStart < record.compressedSize) {
        return kZipBadLocalHeader;
    }
    place.localExtra.clear();
    if (withExtra) {
        place.localExtra.resize(extraLength);
        if (!source.ReadAt(header + raw.size() + nameLength, place.localExtra)) return kZipBadLocalExtra;
    }
    return kZipOk;
}

}  // namespace ui
