#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>

// A balloon notification that another process asks the launcher for: the data block of a
// WM_COPYDATA message to the main window (dwData 0), 2,696 bytes, little-endian:
//   0     128 bytes  title, UTF-16, at most 63 characters
//   128   512 bytes  text, UTF-16, at most 255 characters
//   640  2048 bytes  sound file path, UTF-16, at most 1,023 characters; empty for none
//   2688    8 bytes  the window whose taskbar button flashes
struct BalloonRequest {
    static constexpr std::size_t kBlockSize = 2696;
    static constexpr std::size_t kTitleChars = 64;
    static constexpr std::size_t kTextChars = 256;
    static constexpr std::size_t kSoundChars = 1024;

    std::wstring title;
    std::wstring text;
    std::wstring sound;
    HWND window = nullptr;
};

// The request a block carries; nothing unless dwData is 0 and the block is exactly
// kBlockSize bytes. Each text ends at its terminator; a field without one is cut to its
// width less one character, so nothing past a field is ever read.
std::optional<BalloonRequest> ParseBalloonRequest(ULONG_PTR dwData, const void* data, std::size_t size);
