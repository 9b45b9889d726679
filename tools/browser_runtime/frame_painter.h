#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Largest frame side the runtime paints; views beyond it are clipped.
constexpr int kMaxFrameSide = 8192;

// A page's picture: its background colour with its title in the top-left corner.
struct FrameLook {
    std::uint32_t background = 0xFFFFFF;  // 0xRRGGBB
    bool transparent = false;              // no background: only the title is opaque
    std::wstring title;
};

// Paints a width x height frame (both clamped to 1..kMaxFrameSide) as BGRA rows top-down;
// empty when GDI fails.
std::vector<std::uint8_t> PaintFrame(int width, int height, const FrameLook& look);
