#pragma once

#include <windows.h>

namespace kbase {

// The header of a 32-bit uncompressed DIB of width x height; rows run top to bottom unless the
// caller asks for the bottom-up order GDI uses by default.
inline BITMAPINFO Rgb32DibInfo(int width, int height, bool topDown = true) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = topDown ? -height : height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

}  // namespace kbase
