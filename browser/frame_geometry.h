#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace zel_comp {

// The largest frame the launcher takes from the browser runtime: 16384 pixels a side.
constexpr std::uint64_t kMaxFrameBytes = 16384ull * 16384ull * 4ull;

// Bytes of a frame of 4-byte pixels, computed in 64 bits; none for a side of 0 or less or a
// frame above kMaxFrameBytes.
std::optional<std::size_t> FrameByteSize(int width, int height);

// One copy of a popup image onto the window: the destination's top-left, the source's
// top-left in the popup image, and the size.
struct PopupBlit {
    int destX = 0;
    int destY = 0;
    int sourceX = 0;
    int sourceY = 0;
    int width = 0;
    int height = 0;
};

// A popup at (x, y) of the view, which starts at (left, top) of the window: a negative offset
// puts the popup at the view's edge and skips that many columns or rows of its image.
PopupBlit PlacePopup(int left, int top, int x, int y, int width, int height);

}  // namespace zel_comp
