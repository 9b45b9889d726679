#include "ui/zip_item.h"

#include <algorithm>
#include <cstring>

#include "ui/zip_directory.h"
#include "ui/zip_reader.h"
#include "ui/zip_source.h"

namespace ui {

namespace {

constexpr std::size_t kInputBlock = 16384;

}  // namespace

ZipItem::ZipItem(const ZipSource& source, const ZipCentralRecord& record, std::uint64_t dataStart,
                 std::string_view password)
    : source_(source),
      method_(record.method),
      expectedCrc_(record.crc32),
      nextPosition_(dataStart),
      compressedLeft_(record.compressedSize),
      uncompressedLeft_(record.uncompressedSize),
      input_(kInputBlock) {
    if (record.flags & kZipFlagEncrypted) {
        decrypter_.emplace(password);
        headerLeft_ = kZipEncryptionHeaderSize;
        // With sizes in a data descriptor the CRC is not known when the header is written.
        checkByte_ = static_cast<std::uint8_t>(record.flags & kZipFlagDataDescriptor ? record.dosDateTime >> 8
                                                                                     : record.crc32 >> 24);
    }
    ready_ = method_ == kZipStored || inflateInit2(&inflate_, -MAX_WBITS) == Z_OK;
}

ZipItem::~ZipItem() {
    if (method_ == kZipDeflated && ready_) inflateEnd(&inflate_);
}

int ZipItem::Refill() {
    const std::uint32_t count = std::min<std::uint32_t>(compressedLeft_, kInputBlock);
    if (!source_.ReadAt(nextPosition_, std::span(input_.data(), count))) return kZipUnpackFailed;
    nextPosition_ += count;
    compressedLeft_ -= count;
    inputPosition_ = 0;
    inputEnd_ = count;
    if (!decrypter_) return kZipOk;
    decrypter_->Decrypt(std::span(input_.data(), count));
    if (headerLeft_ == 0) return kZipOk;
    const std::uint32_t skipped = std::min<std::uint32_t>(headerLeft_, count);
    headerLeft_ -= skipped;
    inputPosition_ = skipped;
    if (headerLeft_ == 0 && input_[skipped - 1] != checkByte_) return kZipWrongPassword;
    return kZipOk;
}

std::optional<std::uint32_t> ZipItem::Inflate(std::uint8_t* out, std::uint32_t room) {
    inflate_.next_in = input_.data() + inputPosition_;
    inflate_.avail_in = static_cast<uInt>(inputEnd_ - inputPosition_);
    inflate_.next_out = out;
    inflate_.avail_out = room;
    const int result = inflate(&inflate_, Z_NO_FLUSH);
    const std::size_t consumed = (inputEnd_ - inputPosition_) - inflate_.avail_in;
    const std::uint32_t made = room - inflate_.avail_out;
    inputPosition_ += consumed;
    if (result == Z_STREAM_END) {
        streamEnded_ = true;
    } else if ((result != Z_OK && result != Z_BUF_ERROR) || (consumed == 0 && made == 0)) {
        return std::nullopt;  // damaged data, or stuck: the input ended before the stream did
    }
    return made;
}

int ZipItem::Read(std::uint8_t* buffer, std::uint32_t length) {
    if (!ready_ || !buffer || length == 0) return kZipUnpackFailed;
    const std::uint32_t wanted = std::min(length, uncompressedLeft_);
    std::uint32_t made = 0;
    while (made < wanted) {
        if (streamEnded_) return kZipUnpackFailed;  // the stream ended before the stated size
        if (NeedsRefill()) {
            if (const int result = Refill(); result != kZipOk) return result;
            continue;
        }
        if (method_ == kZipStored) {
            if (InputEmpty()) return kZipUnpackFailed;  // never loop without progress
            const std::uint32_t count =
                static_cast<std::uint32_t>(std::min<std::size_t>(wanted - made, inputEnd_ - inputPosition_));
            std::memcpy(buffer + made, input_.data() + inputPosition_, count);
            inputPosition_ += count;
            made += count;
        } else {
            const std::optional<std::uint32_t> count = Inflate(buffer + made, wanted - made);
            if (!count) return kZipUnpackFailed;
            made += *count;
        }
    }
    crc_ = crc32(crc_, buffer, made);
    uncompressedLeft_ -= made;
    return uncompressedLeft_ > 0 ? kZipMore : Finish();
}

int ZipItem::Finish() {
    while (method_ == kZipDeflated && !streamEnded_) {
        if (NeedsRefill()) {
            if (const int result = Refill(); result != kZipOk) return result;
            continue;
        }
        std::uint8_t beyond = 0;
        const std::optional<std::uint32_t> count = Inflate(&beyond, 1);
        if (!count || *count > 0) return kZipUnpackFailed;  // damaged, or more data than stated
    }
    return crc_ == expectedCrc_ ? kZipOk : kZipUnpackFailed;
}

}  // namespace ui
