#include "ui/zip_directory.h"

#include <algorithm>
#include <array>
#include <span>

#include "ui/zip_bytes.h"
#include "ui/zip_source.h"

namespace ui {

namespace {

constexpr std::uint32_t kEndSignature = 0x06054b50;
constexpr std::uint32_t kCentralSignature = 0x02014b50;
constexpr std::size_t kEndRecordSize = 22;
constexpr std::size_t kCentralRecordSize = 46;
// The end record is followed by at most a 65,535-byte comment.
constexpr std::uint64_t kEndSearchReach = 0xFFFF + kEndRecordSize;

// Absolute position of the end record nearest the end of the source.
std::optional<std::uint64_t> FindEndRecord(const ZipSource& source) {
    const std::uint64_t reach = std::min(source.end() - source.start(), kEndSearchReach);
    if (reach < kEndRecordSize) return std::nullopt;
    std::vector<std::uint8_t> tail(static_cast<std::size_t>(reach));
    const std::uint64_t tailStart = source.end() - reach;
    if (!source.ReadAt(tailStart, tail)) return std::nullopt;
    for (std::size_t at = tail.size() - kEndRecordSize + 1; at-- > 0;) {
        if (ZipBytes(std::span(tail).subspan(at, 4)).U32() == kEndSignature) return tailStart + at;
    }
    return std::nullopt;
}

struct EndRecord {
    std::uint16_t entries = 0;
    std::uint32_t directorySize = 0;
    std::uint32_t directoryOffset = 0;
};

std::optional<EndRecord> ReadEndRecord(const ZipSource& source, std::uint64_t position) {
    std::array<std::uint8_t, kEndRecordSize> raw{};
    if (!source.ReadAt(position, raw)) return std::nullopt;
    ZipBytes bytes(raw);
    const std::uint32_t signature = bytes.U32();
    const std::uint16_t disk = bytes.U16();
    const std::uint16_t directoryDisk = bytes.U16();
    const std::uint16_t entriesOnDisk = bytes.U16();
    EndRecord end;
    end.entries = bytes.U16();
    end.directorySize = bytes.U32();
    end.directoryOffset = bytes.U32();
    if (!bytes.ok() || signature != kEndSignature || disk != 0 || directoryDisk != 0 ||
        entriesOnDisk != end.entries) {
        return std::nullopt;
    }
    return end;
}

// Reads the record at position, which must end by limit; position moves past the record.
std::optional<ZipCentralRecord> ReadCentralRecord(const ZipSource& source, std::uint64_t& position,
                                                  std::uint64_t limit) {
    std::array<std::uint8_t, kCentralRecordSize> raw{};
    if (limit - position < raw.size() || !source.ReadAt(position, raw)) return std::nullopt;
    ZipBytes bytes(raw);
    ZipCentralRecord record;
    const std::uint32_t signature = bytes.U32();
    record.versionMadeBy = bytes.U16();
    record.versionNeeded = bytes.U16();
    record.flags = bytes.U16();
    record.method = bytes.U16();
    record.dosDateTime = bytes.U32();
    record.crc32 = bytes.U32();
    record.compressedSize = bytes.U32();
    record.uncompressedSize = bytes.U32();
    const std::uint16_t nameLength = bytes.U16();
    const std::uint16_t extraLength = bytes.U16();
    const std::uint16_t commentLength = bytes.U16();
    record.diskNumber = bytes.U16();
    record.internalAttributes = bytes.U16();
    record.externalAttributes = bytes.U32();
    record.localHeaderOffset = bytes.U32();
    const std::uint64_t variable = std::uint64_t{nameLength} + extraLength + commentLength;
    if (!bytes.ok() || signature != kCentralSignature || limit - position - raw.size() < variable) {
        return std::nullopt;
    }
    record.name.resize(nameLength);
    if (!source.ReadAt(position + raw.size(),
                       std::span(reinterpret_cast<std::uint8_t*>(record.name.data()), record.name.size()))) {
        return std::nullopt;
    }
    position += raw.size() + variable;
    return record;
}

}  // namespace

std::optional<ZipDirectory> ReadZipDirectory(const ZipSource& source) {
    const std::optional<std::uint64_t> endPosition = FindEndRecord(source);
    if (!endPosition) return std::nullopt;
    const std::optional<EndRecord> end = ReadEndRecord(source, *endPosition);
    // The directory ends where the end record starts; whatever lies before the archive shifts
    // both by the same count.
    if (!end || *endPosition < std::uint64_t{end->directoryOffset} + end->directorySize ||
        std::uint64_t{end->entries} * kCentralRecordSize > end->directorySize) {
        return std::nullopt;
    }
    ZipDirectory directory;
    directory.directoryStart = *endPosition - end->directorySize;
    directory.bytesBefore = directory.directoryStart - end->directoryOffset;
    directory.records.reserve(end->entries);
    std::uint64_t position = directory.directoryStart;
    for (std::uint16_t i = 0; i < end->entries; ++i) {
        std::optional<ZipCentralRecord> record = ReadCentralRecord(source, position, *endPosition);
        if (!record) return std::nullopt;
        directory.records.push_back(std::move(*record));
    }
    return directory;
}

}  // namespace ui
