#pragma once

#include <cstdint>
#include <span>

#include "ui/zip_reader.h"

namespace ui {

struct ZipCentralRecord;

// The entry of a directory record: its cleaned name, Windows attributes, and times from the
// DOS date (local time) unless the local extra field carries an extended timestamp.
ZipEntry MakeZipEntry(int index, const ZipCentralRecord& record, std::span<const std::uint8_t> localExtra);

}  // namespace ui
