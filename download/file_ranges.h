#pragma once

#include <cstdint>
#include <vector>

#include "download/download_task.h"

// Files are fetched in ranges of this size, so that several parts of a large file arrive at
// once and an interrupted range loses little.
inline constexpr std::int32_t kRangeSize = 33554432;

// The ranges of a whole file of size bytes (1 or more): full ranges of kRangeSize, then the
// rest, indexed from 0.
std::vector<ChunkInfo> SplitIntoRanges(std::int32_t size);

// True when the ranges of a resume record can belong to a file of size bytes: no more than the
// file has ranges, each with 0 <= begin <= end + 1 and end < size, and no two unfinished ones
// overlapping.
bool RangesFitFile(const std::vector<ChunkInfo>& ranges, std::int32_t size);
