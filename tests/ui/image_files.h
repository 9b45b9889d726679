#pragma once

// Small image files made by the tests themselves: PNG and BMP through the GDI+ encoders, GIF
// written byte by byte (the GDI+ encoder cannot write several frames).

#include <windows.h>

#include <objidl.h>  // PROPID, which the GDI+ headers need under WIN32_LEAN_AND_MEAN
#include <gdiplus.h>

#include <atomic>
#include <cstdint>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace image_files {

// One GDI+ session for the lifetime of the object.
class GdiplusSession {
public:
    GdiplusSession() {
        Gdiplus::GdiplusStartupInput input;
        if (Gdiplus::GdiplusStartup(&token_, &input, nullptr) != Gdiplus::Ok) throw std::runtime_error("GDI+");
    }
    ~GdiplusSession() { Gdiplus::GdiplusShutdown(token_); }
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;

private:
    ULONG_PTR token_ = 0;
};

// A fresh folder under the temporary folder, removed with its contents at the end.
class TempFolder {
public:
    TempFolder() {
        static std::atomic<int> counter{0};
        path_ = std::filesystem::temp_directory_path() /
                (L"ui_images_" + std::to_wstring(::GetCurrentProcessId()) + L"_" + std::to_wstring(++counter));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder + "\" + name.
    std::wstring Child(const std::wstring& name) const { return (path_ / name).wstring(); }

private:
    std::filesystem::path path_;
};

inline void WriteBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream out(std::filesystem::path(path), std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline CLSID EncoderFor(const wchar_t* mimeType) {
    UINT count = 0;
    UINT size = 0;
    Gdiplus::GetImageEncodersSize(&count, &size);
    std::vector<std::uint64_t> buffer((size + 7) / 8);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (size == 0 || Gdiplus::GetImageEncoders(count, size, codecs) != Gdiplus::Ok) {
        throw std::runtime_error("encoders");
    }
    for (UINT i = 0; i < count; ++i) {
        if (std::wcscmp(codecs[i].MimeType, mimeType) == 0) return codecs[i].Clsid;
    }
    throw std::runtime_error("no encoder");
}

struct Pixel {
    int x;
    int y;
    Gdiplus::ARGB argb;
};

// A width x height picture filled with `fill`, then the given pixels, saved as mimeType.
inline void SaveImage(const std::wstring& path, const wchar_t* mimeType, Gdiplus::PixelFormat format, int width,
                      int height, Gdiplus::ARGB fill, const std::vector<Pixel>& pixels = {}) {
    Gdiplus::Bitmap bitmap(width, height, format);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) bitmap.SetPixel(x, y, Gdiplus::Color(fill));
    }
    for (const Pixel& p : pixels) bitmap.SetPixel(p.x, p.y, Gdiplus::Color(p.argb));
    const CLSID encoder = EncoderFor(mimeType);
    if (bitmap.Save(path.c_str(), &encoder, nullptr) != Gdiplus::Ok) throw std::runtime_error("save");
}

// The colours of GifBytes' palette, by index.
constexpr Gdiplus::ARGB kGifPalette[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};

struct GifFrame {
    std::vector<std::uint8_t> indices;  // width * height palette indices, row by row
    std::uint16_t delay = 0;            // hundredths of a second
    std::optional<std::uint8_t> transparent;
};

inline GifFrame Frame(std::vector<std::uint8_t> indices, std::uint16_t delay = 0,
                      std::optional<std::uint8_t> transparent = std::nullopt) {
    return GifFrame{std::move(indices), delay, transparent};
}

// A GIF89a of frames over the four colours of kGifPalette. Every pixel is coded as a clear code
// and its index, so the codes stay 3 bits wide and no table is needed.
inline std::string GifBytes(std::uint16_t width, std::uint16_t height, const std::vector<GifFrame>& frames) {
    std::string out = "GIF89a";
    auto put16 = [&out](std::uint16_t v) {
        out += static_cast<char>(v & 0xFF);
        out += static_cast<char>(v >> 8);
    };
    put16(width);
    put16(height);
    out += '\x91';  // global palette of 4 entries
    out += '\0';
    out += '\0';
    for (Gdiplus::ARGB c : kGifPalette) {
        out += static_cast<char>((c >> 16) & 0xFF);
        out += static_cast<char>((c >> 8) & 0xFF);
        out += static_cast<char>(c & 0xFF);
    }
    for (const GifFrame& frame : frames) {
        out += "\x21\xF9\x04";
        out += static_cast<char>((1 << 2) | (frame.transparent ? 1 : 0));
        put16(frame.delay);
        out += static_cast<char>(frame.transparent.value_or(0));
        out += '\0';
        out += '\x2C';
        put16(0);
        put16(0);
        put16(width);
        put16(height);
        out += '\0';

        std::string data;
        std::uint32_t bits = 0;
        int bitCount = 0;
        auto code = [&](std::uint32_t value) {
            bits |= value << bitCount;
            bitCount += 3;
            while (bitCount >= 8) {
                data += static_cast<char>(bits & 0xFF);
                bits >>= 8;
                bitCount -= 8;
            }
        };
        for (std::uint8_t index : frame.indices) {
            code(4);  // clear
            code(index);
        }
        code(5);  // end of information
        if (bitCount > 0) data += static_cast<char>(bits & 0xFF);
        out += '\x02';  // minimum code size
        for (std::size_t pos = 0; pos < data.size(); pos += 255) {
            const std::string block = data.substr(pos, 255);
            out += static_cast<char>(block.size());
            out += block;
        }
        out += '\0';
    }
    out += '\x3B';
    return out;
}

}  // namespace image_files
