#pragma once

#include <windows.h>

#include <memory>
#include <string>

namespace ui {

class ImageInfo;

// One image attribute of a control: the skin's string, its parsed values and the decoded
// image once loaded. The string is a bare file name or pairs name='value' separated by spaces:
// file (or res), dest, destscale, source, corner, fade, xtiled, ytiled, playcount.
struct Image {
    Image();

    // Applies the pairs of an attribute string; stops at the first malformed pair.
    void ParseAttribute(const std::wstring& attribute);
    // Resets the parsed values (not the decoded image and the frame state).
    void Clear();
    // Drops the decoded image and resets the frame state.
    void ReleaseCache();
    // Every side set (none is -1).
    static bool IsRectSet(const RECT& rect);

    std::wstring attribute;
    std::wstring file;
    RECT dest{-1, -1, -1, -1};
    RECT source{-1, -1, -1, -1};
    RECT corner{0, 0, 0, 0};
    BYTE fade = 255;
    bool xTiled = false;
    bool yTiled = false;
    int playCount = -1;  // loops of an animation; -1 endless, 0 never starts

    std::shared_ptr<ImageInfo> imageCache;
    int currentFrame = 0;
    bool playing = false;
    int playCounter = 0;
};

}  // namespace ui
