#pragma once

#include <cstdint>
#include <vector>

namespace ui {

class ZipSource;
struct ZipCentralRecord;
struct ZipDirectory;

// Where an item's data lies, from its local header.
struct ZipItemPlace {
    std::uint64_t dataStart = 0;            // absolute position of the first data byte
    std::vector<std::uint8_t> localExtra;   // the local extra field, when asked for
};

// Checks the item's local header against its directory record and that its data lies inside
// the archive and could unpack to the stated size; 0 (place filled), 0x700 when any of it
// fails, 0x800 when the local extra field cannot be read.
int LocateZipItem(const ZipSource& source, const ZipDirectory& directory, const ZipCentralRecord& record,
                  bool withExtra, ZipItemPlace& place);

}  // namespace ui
