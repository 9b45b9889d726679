#include "browser/frame_geometry.h"

namespace zel_comp {

std::optional<std::size_t> FrameByteSize(int width, int height) {
    if (width <= 0 || height <= 0) return std::nullopt;
    const std::uint64_t bytes = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) * 4u;
    if (bytes > kMaxFrameBytes) return std::nullopt;
    return static_cast<std::size_t>(bytes);
}

PopupBlit PlacePopup(int left, int top, int x, int y, int width, int height) {
    PopupBlit blit;
    blit.destX = left + (x < 0 ? 0 : x);
    blit.destY = top + (y < 0 ? 0 : y);
    blit.sourceX = x < 0 ? -x : 0;
    blit.sourceY = y < 0 ? -y : 0;
    blit.width = width;
    blit.height = height;
    return blit;
}

}  // namespace zel_comp
