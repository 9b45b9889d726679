#include "ui/render/pixel_blend.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace ui {
namespace {

// Weights are in 1/256ths.
constexpr int kWeightOne = 256;

// The arithmetic works on two channels at once: blue and red in one word, green and alpha in
// the other, each in 16 bits.
constexpr DWORD kLanes = 0x00FF00FF;

// Each byte lane times k / 255, rounded.
inline DWORD LanesMulDiv255(DWORD lanes, DWORD k) {
    const DWORD t = lanes * k + 0x00800080;
    return ((t + ((t >> 8) & kLanes)) >> 8) & kLanes;
}

// Every channel of a pixel times k / 255, rounded.
inline DWORD ScalePixel(DWORD pixel, DWORD k) {
    return LanesMulDiv255(pixel & kLanes, k) | (LanesMulDiv255((pixel >> 8) & kLanes, k) << 8);
}

// Lane sums of at most 510 capped at 255.
inline DWORD Saturate(DWORD lanes) {
    const DWORD carry = (lanes >> 8) & 0x00010001;
    return (lanes | (carry * 0xFF)) & kLanes;
}

// Premultiplied source over the target; the cap keeps a target that is not premultiplied (GDI
// leaves alpha 0 under its colours) from carrying into the next channel.
inline DWORD Over(DWORD source, DWORD target) {
    const DWORD alpha = source >> 24;
    if (alpha == 255) return source;
    if (alpha == 0) return target;
    const DWORD kept = ScalePixel(target, 255 - alpha);
    return Saturate((source & kLanes) + (kept & kLanes)) | (Saturate(((source >> 8) & kLanes) + ((kept >> 8) & kLanes)) << 8);
}

DWORD* RowAt(const PixelRows& rows, int y) {
    return reinterpret_cast<DWORD*>(rows.top + static_cast<std::ptrdiff_t>(y) * rows.stride);
}

RECT ClipTo(const RECT& rect, const PixelRows& rows) {
    return RECT{std::max<LONG>(rect.left, 0), std::max<LONG>(rect.top, 0), std::min<LONG>(rect.right, rows.width),
                std::min<LONG>(rect.bottom, rows.height)};
}

// Where one destination pixel samples along an axis: the lower source index and the weight of
// the next one.
struct Tap {
    int index;
    int weight;
};

// Taps of the destination pixels [from, to) of a span of destLength pixels starting at
// destStart, scaled from sourceLength pixels starting at sourceStart. Pixel centres map onto
// pixel centres, clamped to the source span.
std::vector<Tap> AxisTaps(int destStart, int destLength, int from, int to, int sourceStart, int sourceLength) {
    std::vector<Tap> taps;
    taps.reserve(static_cast<std::size_t>(std::max(0, to - from)));
    const double scale = static_cast<double>(sourceLength) / destLength;
    for (int d = from; d < to; ++d) {
        if (destLength == sourceLength) {
            taps.push_back(Tap{sourceStart + d - destStart, 0});
            continue;
        }
        const double position = std::clamp((d - destStart + 0.5) * scale - 0.5, 0.0, sourceLength - 1.0);
        const int lower = static_cast<int>(position);
        int weight = static_cast<int>(std::lround((position - lower) * kWeightOne));
        if (lower + 1 >= sourceLength) weight = 0;
        taps.push_back(Tap{sourceStart + lower, std::min(weight, kWeightOne - 1)});
    }
    return taps;
}

// Weighted mix of two premultiplied pixels, weight of b in 1/256ths.
inline DWORD Mix(DWORD a, DWORD b, int weight) {
    if (weight == 0) return a;
    const auto wa = static_cast<DWORD>(kWeightOne - weight);
    const auto wb = static_cast<DWORD>(weight);
    const DWORD rb = (((a & kLanes) * wa + (b & kLanes) * wb + 0x00800080) >> 8) & kLanes;
    const DWORD ag = ((((a >> 8) & kLanes) * wa + ((b >> 8) & kLanes) * wb + 0x00800080) >> 8) & kLanes;
    return rb | (ag << 8);
}

// The one colour of every pixel of the rectangle, if it has only one.
bool IsUniform(const PixelRows& rows, const RECT& rect, DWORD& color) {
    color = RowAt(rows, rect.top)[rect.left];
    for (int y = rect.top; y < rect.bottom; ++y) {
        const DWORD* row = RowAt(rows, y);
        for (int x = rect.left; x < rect.right; ++x) {
            if (row[x] != color) return false;
        }
    }
    return true;
}

void BlendUniform(const PixelRows& target, const RECT& area, DWORD premultiplied) {
    const DWORD alpha = premultiplied >> 24;
    if (alpha == 0) return;
    for (int y = area.top; y < area.bottom; ++y) {
        DWORD* row = RowAt(target, y);
        if (alpha == 255) {
            std::fill(row + area.left, row + area.right, premultiplied);
        } else {
            for (int x = area.left; x < area.right; ++x) row[x] = Over(premultiplied, row[x]);
        }
    }
}

}  // namespace

void FillSolid(const PixelRows& target, const RECT& area, DWORD argb) {
    const DWORD alpha = argb >> 24;
    const RECT clipped = ClipTo(area, target);
    if (!target.top || alpha == 0 || clipped.left >= clipped.right || clipped.top >= clipped.bottom) return;
    BlendUniform(target, clipped, (alpha << 24) | (ScalePixel(argb, alpha) & 0x00FFFFFF));
}

void BlendScaled(const PixelRows& target, const RECT& dest, const RECT& visible, const PixelRows& source,
                 const RECT& sourceRect, BYTE fade) {
    RECT area{};
    if (!::IntersectRect(&area, &dest, &visible)) return;
    area = ClipTo(area, target);
    const RECT from = ClipTo(sourceRect, source);
    if (!target.top || !source.top || fade == 0 || area.left >= area.right || area.top >= area.bottom ||
        from.left >= from.right || from.top >= from.bottom || !::EqualRect(&from, &sourceRect)) {
        return;
    }
    if (DWORD color = 0; IsUniform(source, from, color)) {
        BlendUniform(target, area, ScalePixel(color, fade));
        return;
    }
    const std::vector<Tap> columns = AxisTaps(dest.left, dest.right - dest.left, area.left, area.right, from.left,
                                              from.right - from.left);
    const std::vector<Tap> rows = AxisTaps(dest.top, dest.bottom - dest.top, area.top, area.bottom, from.top,
                                           from.bottom - from.top);
    for (int y = area.top; y < area.bottom; ++y) {
        const Tap& row = rows[static_cast<std::size_t>(y - area.top)];
        const DWORD* upper = RowAt(source, row.index);
        const DWORD* lower = row.weight ? RowAt(source, row.index + 1) : upper;
        DWORD* out = RowAt(target, y);
        for (int x = area.left; x < area.right; ++x) {
            const Tap& column = columns[static_cast<std::size_t>(x - area.left)];
            const int next = column.weight ? column.index + 1 : column.index;
            const DWORD top = Mix(upper[column.index], upper[next], column.weight);
            const DWORD sample = row.weight ? Mix(top, Mix(lower[column.index], lower[next], column.weight), row.weight)
                                            : top;
            out[x] = Over(fade == 255 ? sample : ScalePixel(sample, fade), out[x]);
        }
    }
}

std::vector<BYTE> ReadAlpha(const PixelRows& target, const RECT& area) {
    const RECT clipped = ClipTo(area, target);
    std::vector<BYTE> alpha;
    for (int y = clipped.top; y < clipped.bottom; ++y) {
        const DWORD* row = RowAt(target, y);
        for (int x = clipped.left; x < clipped.right; ++x) alpha.push_back(static_cast<BYTE>(row[x] >> 24));
    }
    return alpha;
}

void RestoreGdiAlpha(const PixelRows& target, const RECT& area, const std::vector<BYTE>& before) {
    const RECT clipped = ClipTo(area, target);
    if (clipped.left >= clipped.right || clipped.top >= clipped.bottom) return;
    const auto width = static_cast<std::size_t>(clipped.right - clipped.left);
    if (before.size() != width * static_cast<std::size_t>(clipped.bottom - clipped.top)) return;
    auto kept = before.begin();
    for (int y = clipped.top; y < clipped.bottom; ++y) {
        DWORD* row = RowAt(target, y);
        for (int x = clipped.left; x < clipped.right; ++x, ++kept) {
            const DWORD alpha = *kept;
            if (alpha == 0 || (row[x] >> 24) != 0) continue;
            // Premultiplied: no channel may exceed the alpha.
            DWORD pixel = alpha << 24;
            for (int shift = 0; shift < 24; shift += 8) pixel |= std::min((row[x] >> shift) & 0xFF, alpha) << shift;
            row[x] = pixel;
        }
    }
}

}  // namespace ui
