#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ui {

class ZipSource;

// One record of the central directory, as stored.
struct ZipCentralRecord {
    std::uint16_t versionMadeBy = 0;
    std::uint16_t versionNeeded = 0;
    std::uint16_t flags = 0;
    std::uint16_t method = 0;
    std::uint32_t dosDateTime = 0;  // time in the low 16 bits, date in the high 16
    std::uint32_t crc32 = 0;
    std::uint32_t compressedSize = 0;
    std::uint32_t uncompressedSize = 0;
    std::uint16_t diskNumber = 0;
    std::uint16_t internalAttributes = 0;
    std::uint32_t externalAttributes = 0;
    std::uint32_t localHeaderOffset = 0;
    std::string name;  // the stored bytes
};

// Compression methods the reader unpacks.
constexpr std::uint16_t kZipStored = 0;
constexpr std::uint16_t kZipDeflated = 8;

// General-purpose flag bits.
constexpr std::uint16_t kZipFlagEncrypted = 0x0001;
constexpr std::uint16_t kZipFlagDataDescriptor = 0x0008;

// Bytes that precede the data of an encrypted item.
constexpr std::uint32_t kZipEncryptionHeaderSize = 12;

// Where an archive lies in its source, and its entries.
struct ZipDirectory {
    // Bytes before the archive: added to every offset the archive stores.
    std::uint64_t bytesBefore = 0;
    // Absolute position of the central directory; every item lies before it.
    std::uint64_t directoryStart = 0;
    std::vector<ZipCentralRecord> records;
};

// Finds the end record (searching back over at most the longest comment) and reads the whole
// central directory. Nothing when the source is not a single-disk zip archive or any record
// is damaged or reaches outside the directory.
std::optional<ZipDirectory> ReadZipDirectory(const ZipSource& source);

}  // namespace ui
