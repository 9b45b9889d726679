#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace ui {

// The traditional PKWARE stream cipher of encrypted zip items: three keys set up from the
// password, then stepped by every plain byte.
class ZipDecrypter {
public:
    explicit ZipDecrypter(std::string_view password);

    void Decrypt(std::span<std::uint8_t> bytes);

private:
    void Update(std::uint8_t plain);

    std::uint32_t keys_[3] = {0x12345678, 0x23456789, 0x34567890};
};

}  // namespace ui
