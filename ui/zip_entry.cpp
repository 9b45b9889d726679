#include "ui/zip_entry.h"

#include "base/string_conversions.h"
#include "ui/zip_bytes.h"
#include "ui/zip_directory.h"

namespace ui {

namespace {

constexpr std::uint16_t kExtendedTimestampTag = 0x5455;  // "UT"
constexpr DWORD kDosAttributeBits = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                    FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_ARCHIVE;
constexpr std::uint32_t kUnixDirectory = 0040000;  // S_IFDIR
constexpr std::uint32_t kUnixOwnerWrite = 0200;   // S_IWUSR

// Hosts whose external attributes hold DOS attribute bits (FAT, Macintosh, NTFS, VFAT).
bool HostKeepsDosAttributes(std::uint16_t versionMadeBy) {
    const int host = versionMadeBy >> 8;
    return host == 0 || host == 7 || host == 11 || host == 14;
}

DWORD Attributes(const ZipCentralRecord& record) {
    if (HostKeepsDosAttributes(record.versionMadeBy)) return record.externalAttributes & kDosAttributeBits;
    const std::uint32_t mode = record.externalAttributes >> 16;
    DWORD attributes = FILE_ATTRIBUTE_ARCHIVE;
    if (mode & kUnixDirectory) attributes |= FILE_ATTRIBUTE_DIRECTORY;
    if (!(mode & kUnixOwnerWrite)) attributes |= FILE_ATTRIBUTE_READONLY;
    return attributes;
}

std::wstring CleanName(const std::string& stored) {
    std::wstring name;
    kbase::CodePageToWide(stored, name, CP_UTF8);
    for (bool stripped = true; stripped;) {
        stripped = false;
        while (name.size() >= 2 && name[1] == L':') {
            name.erase(0, 2);
            stripped = true;
        }
        while (!name.empty() && (name[0] == L'/' || name[0] == L'\\')) {
            name.erase(0, 1);
            stripped = true;
        }
    }
    std::size_t cut = std::wstring::npos;
    for (const wchar_t* climb : {L"\\..\\", L"\\../", L"/../", L"/..\\"}) {
        const std::size_t at = name.rfind(climb);
        if (at != std::wstring::npos && (cut == std::wstring::npos || at + 4 > cut)) cut = at + 4;
    }
    if (cut != std::wstring::npos) name.erase(0, cut);
    return name;
}

FILETIME FromDos(std::uint32_t dosDateTime) {
    FILETIME local{};
    FILETIME utc{};
    if (!::DosDateTimeToFileTime(static_cast<WORD>(dosDateTime >> 16), static_cast<WORD>(dosDateTime), &local) ||
        !::LocalFileTimeToFileTime(&local, &utc)) {
        return FILETIME{};
    }
    return utc;
}

FILETIME FromUnix(std::uint32_t seconds) {
    constexpr std::int64_t kTicksPerSecond = 10000000;
    constexpr std::int64_t kUnixEpochTicks = 116444736000000000;  // 1970-01-01 after 1601-01-01
    const std::int64_t ticks = static_cast<std::int32_t>(seconds) * kTicksPerSecond + kUnixEpochTicks;
    return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

// The first extended-timestamp block replaces the times whose flag bits are set, in the order
// modification, access, creation.
void ApplyExtendedTimestamp(std::span<const std::uint8_t> extra, ZipEntry& entry) {
    ZipBytes blocks(extra);
    while (blocks.left() >= 4) {
        const std::uint16_t tag = blocks.U16();
        const std::span<const std::uint8_t> data = blocks.Take(blocks.U16());
        if (!blocks.ok()) return;
        if (tag != kExtendedTimestampTag) continue;
        ZipBytes fields(data);
        std::uint8_t presentFlags = fields.Take(1).empty() ? 0 : data[0];
        for (FILETIME* time : {&entry.modificationTime, &entry.accessTime, &entry.creationTime}) {
            const bool present = presentFlags & 1;
            presentFlags >>= 1;
            if (!present) continue;
            const std::uint32_t seconds = fields.U32();
            if (!fields.ok()) return;
            *time = FromUnix(seconds);
        }
        return;
    }
}

}  // namespace

ZipEntry MakeZipEntry(int index, const ZipCentralRecord& record, std::span<const std::uint8_t> localExtra) {
    ZipEntry entry;
    entry.index = index;
    entry.name = CleanName(record.name);
    entry.attributes = Attributes(record);
    entry.modificationTime = entry.accessTime = entry.creationTime = FromDos(record.dosDateTime);
    ApplyExtendedTimestamp(localExtra, entry);
    entry.compressedSize = record.compressedSize;
    entry.uncompressedSize = record.uncompressedSize;
    return entry;
}

}  // namespace ui
