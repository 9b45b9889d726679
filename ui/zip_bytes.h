#pragma once

#include <cstdint>
#include <span>

namespace ui {

// A bounds-checked little-endian cursor over bytes read from an archive. A read past the end
// yields zeros (an empty span) and marks the cursor failed; callers check ok() once at the end.
class ZipBytes {
public:
    explicit ZipBytes(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::span<const std::uint8_t> Take(std::size_t count) {
        if (failed_ || count > bytes_.size() - position_) {
            failed_ = true;
            return {};
        }
        const auto out = bytes_.subspan(position_, count);
        position_ += count;
        return out;
    }
    std::uint16_t U16() {
        const auto b = Take(2);
        return b.empty() ? 0 : static_cast<std::uint16_t>(b[0] | b[1] << 8);
    }
    std::uint32_t U32() {
        const auto b = Take(4);
        if (b.empty()) return 0;
        return static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
               static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
    }
    std::size_t left() const { return bytes_.size() - position_; }
    bool ok() const { return !failed_; }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
    bool failed_ = false;
};

}  // namespace ui
