#pragma once

#include <cstdint>
#include <memory>

#include <windows.h>

// A patch file holds an 8-byte container header (unpacked size U, packed size P: unsigned 32-bit
// little-endian) and then P bytes of a zlib stream that inflates to exactly U bytes, the
// inflated patch. Bytes after the stream are ignored.

using PatchBytes = std::unique_ptr<std::uint8_t[]>;

enum PatchContainerResult : int {
    kContainerRead = 1,
    kContainerUnpackedSizeUnreadable = -1,
    kContainerUnpackedSizeShort = -2,
    kContainerPackedSizeUnreadable = -3,
    kContainerPackedSizeShort = -4,
    kContainerStreamUnreadable = -5,   // also: no memory for the packed bytes
    kContainerStreamShort = -6,        // also: P beyond the file's end or 2^31 and above
    kContainerInflateFailed = -7,      // also: U impossible for P, no memory, or not exactly U bytes
};

// Reads the container from the file's current position and inflates it: kContainerRead with data
// holding exactly size (= U) bytes, or a negative code with data and size untouched. Neither P
// nor U can make it allocate more than the file and the stream can fill: P is checked against the
// bytes left in the file, U against P times deflate's largest ratio.
int ReadPatchContainer(HANDLE file, PatchBytes& data, int& size);
