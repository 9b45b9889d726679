#pragma once

// A zip archive of stored (uncompressed) items made in memory, for tests that need archives of
// their own contents.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace stored_zip {

inline std::uint32_t Crc32(const std::string& bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= static_cast<std::uint8_t>(c);
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

inline void Put16(std::string& out, std::uint32_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

inline void Put32(std::string& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// name -> content, in archive order.
using Items = std::vector<std::pair<std::string, std::string>>;

inline std::string Archive(const Items& items) {
    std::string out;
    std::string directory;
    for (const auto& [name, content] : items) {
        const auto size = static_cast<std::uint32_t>(content.size());
        const std::uint32_t crc = Crc32(content);
        const auto offset = static_cast<std::uint32_t>(out.size());
        // Shared fields: version 2.0, no flags, stored, 1980-01-01 00:00.
        std::string fields;
        Put16(fields, 20);
        Put16(fields, 0);
        Put16(fields, 0);
        Put32(fields, 0x00210000u);
        Put32(fields, crc);
        Put32(fields, size);
        Put32(fields, size);
        Put16(fields, static_cast<std::uint32_t>(name.size()));
        Put16(fields, 0);

        Put32(out, 0x04034B50u);
        out += fields + name + content;

        Put32(directory, 0x02014B50u);
        Put16(directory, 20);  // made by: DOS attributes
        directory += fields;
        Put16(directory, 0);   // comment
        Put16(directory, 0);   // disk
        Put16(directory, 0);   // internal attributes
        Put32(directory, 0);   // external attributes
        Put32(directory, offset);
        directory += name;
    }
    const auto directoryOffset = static_cast<std::uint32_t>(out.size());
    out += directory;
    Put32(out, 0x06054B50u);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, static_cast<std::uint32_t>(items.size()));
    Put16(out, static_cast<std::uint32_t>(items.size()));
    Put32(out, static_cast<std::uint32_t>(directory.size()));
    Put32(out, directoryOffset);
    Put16(out, 0);
    return out;
}

}  // namespace stored_zip
