#include "download/file_ranges.h"

#include <algorithm>

std::vector<ChunkInfo> SplitIntoRanges(std::int32_t size) {
    std::vector<ChunkInfo> ranges;
    std::int32_t index = 0;
    for (std::int64_t start = 0; start < size; start += kRangeSize, ++index) {
        const std::int64_t last = std::min<std::int64_t>(start + kRangeSize, size) - 1;
        ranges.push_back({index, static_cast<std::int32_t>(start), static_cast<std::int32_t>(last)});
    }
    return ranges;
}

bool RangesFitFile(const std::vector<ChunkInfo>& ranges, std::int32_t size) {
    const std::int64_t maxRanges = (static_cast<std::int64_t>(size) + kRangeSize - 1) / kRangeSize;
    if (static_cast<std::int64_t>(ranges.size()) > maxRanges) return false;
    std::vector<ChunkInfo> open;
    for (const ChunkInfo& range : ranges) {
        if (range.begin < 0 || range.begin > static_cast<std::int64_t>(range.end) + 1 || range.end >= size) {
            return false;
        }
        if (!range.Finished()) open.push_back(range);
    }
    std::sort(open.begin(), open.end(), [](const ChunkInfo& a, const ChunkInfo& b) { return a.begin < b.begin; });
    for (std::size_t i = 1; i < open.size(); ++i) {
        if (open[i].begin <= open[i - 1].end) return false;
    }
    return true;
}
