#include "ui/zip_decrypter.h"

#include <zlib.h>

namespace ui {

namespace {

// One byte of CRC-32 with zlib's table.
std::uint32_t Crc32Step(std::uint32_t crc, std::uint8_t byte) {
    static const z_crc_t* const table = get_crc_table();
    return table[(crc ^ byte) & 0xFF] ^ (crc >> 8);
}

}  // namespace

ZipDecrypter::ZipDecrypter(std::string_view password) {
    for (const char c : password) Update(static_cast<std::uint8_t>(c));
}

void ZipDecrypter::Update(std::uint8_t plain) {
    keys_[0] = Crc32Step(keys_[0], plain);
    keys_[1] = (keys_[1] + (keys_[0] & 0xFF)) * 134775813 + 1;
    keys_[2] = Crc32Step(keys_[2], static_cast<std::uint8_t>(keys_[1] >> 24));
}

void ZipDecrypter::Decrypt(std::span<std::uint8_t> bytes) {
    for (std::uint8_t& byte : bytes) {
        const std::uint32_t temp = (keys_[2] & 0xFFFF) | 2;
        byte ^= static_cast<std::uint8_t>((temp * (temp ^ 1)) >> 8);
        Update(byte);
    }
}

}  // namespace ui
