#include "ui/image_frame_data.h"

#include <algorithm>
#include <cstdlib>

namespace ui {

std::vector<int> ReadFrameDelays(std::span<const std::byte> value, std::size_t frameCount) {
    std::vector<int> delays(frameCount, 0);
    const std::size_t present = std::min(frameCount, value.size() / 4);
    for (std::size_t i = 0; i < present; ++i) {
        std::uint32_t delay = 0;
        for (std::size_t b = 0; b < 4; ++b) {
            delay |= static_cast<std::uint32_t>(value[i * 4 + b]) << (8 * b);
        }
        delays[i] = static_cast<int>(delay);
    }
    return delays;
}

std::uint64_t DibByteCount(long rowBytes, long rows) {
    return static_cast<std::uint64_t>(std::llabs(rowBytes)) * static_cast<std::uint64_t>(std::llabs(rows));
}

bool HasTranslucentPixel(std::span<const std::uint8_t> bgra) {
    for (std::size_t alpha = 3; alpha < bgra.size(); alpha += 4) {
        if (bgra[alpha] != 255) return true;
    }
    return false;
}

}  // namespace ui
