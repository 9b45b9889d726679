#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include <zlib.h>

#include "ui/zip_decrypter.h"

namespace ui {

class ZipSource;
struct ZipCentralRecord;

// An item open for unpacking: reads its stored or deflated data in blocks from the source,
// decrypting them when the item is encrypted, into the caller's buffer, across calls.
class ZipItem {
public:
    // dataStart: where LocateZipItem found the data; the source outlives the item.
    ZipItem(const ZipSource& source, const ZipCentralRecord& record, std::uint64_t dataStart,
            std::string_view password);
    ~ZipItem();
    ZipItem(const ZipItem&) = delete;
    ZipItem& operator=(const ZipItem&) = delete;

    // False when the inflate stream cannot be set up.
    bool ready() const { return ready_; }

    // Writes at most length bytes (never past them) and returns 0 when the item ended there
    // (its data ended exactly at its size and its CRC-32 matched), 0x600 when the buffer filled
    // first (the next call continues), 0x1000 for a wrong password, 0x5000000 for anything else.
    int Read(std::uint8_t* buffer, std::uint32_t length);

private:
    bool InputEmpty() const { return inputPosition_ == inputEnd_; }
    // Inflate may still have output pending when all input is taken in: it runs on without.
    bool NeedsRefill() const { return InputEmpty() && compressedLeft_ > 0; }
    // Reads the next block of stored bytes; 0, or the failing result.
    int Refill();
    // Inflates into room bytes at out; the count made, or nothing when inflate failed or could
    // make no progress (input used up before the stream's end).
    std::optional<std::uint32_t> Inflate(std::uint8_t* out, std::uint32_t room);
    // After the last byte: the deflate stream must end there, and the CRC-32 match.
    int Finish();

    const ZipSource& source_;
    const std::uint16_t method_;
    const std::uint32_t expectedCrc_;
    std::uint64_t nextPosition_;         // of the next stored byte
    std::uint32_t compressedLeft_;
    std::uint32_t uncompressedLeft_;
    std::uint32_t crc_ = 0;
    std::vector<std::uint8_t> input_;
    std::size_t inputPosition_ = 0;
    std::size_t inputEnd_ = 0;
    std::optional<ZipDecrypter> decrypter_;
    std::uint32_t headerLeft_ = 0;       // encryption header bytes still to skip
    std::uint8_t checkByte_ = 0;         // what the header's last byte must decrypt to
    z_stream inflate_{};
    bool ready_ = false;
    bool streamEnded_ = false;
};

}  // namespace ui
