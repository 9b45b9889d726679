#pragma once

#include <cstdint>
#include <memory>

#include "base/unique_handle.h"

// Reads exactly count bytes from the current position of file into a new buffer of count + 1
// bytes (the extra byte is zero, so text can be read as a C string). Null when the read fails
// or ends early, or when count is 2 GiB or more (file sizes are signed 32-bit here). The
// handle is closed in every case. On success *size (when given) := count.
std::unique_ptr<char[]> ReadHandleToBuffer(kbase::ScopedFileHandle file, std::uint64_t count, int* size);
