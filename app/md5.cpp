#include "app/md5.h"

#include <climits>
#include <algorithm>
#include <cstring>
#include <filesystem>

#include "base/path_util.h"

namespace {

constexpr std::uint32_t kInitialState[4] = {0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476};

// One step of each round of RFC 1321, with the sine-derived constant t and shift s. The round
// functions are in forms that need fewer operations than the RFC's (same values), and the steps
// are spelled out so that every index, constant and shift is a compile-time constant: this is
// the launcher's hot loop when it hashes a game install.
#define MD5_STEP(f, a, b, c, d, x, t, s) \
    a += f(b, c, d) + (x) + (t);          \
    a = ((a << (s)) | (a >> (32 - (s)))) + (b)
#define MD5_F(b, c, d) ((d) ^ ((b) & ((c) ^ (d))))
#define MD5_G(b, c, d) (((b) & (d)) + ((c) & ~(d)))
#define MD5_H(b, c, d) ((b) ^ (c) ^ (d))
#define MD5_I(b, c, d) ((c) ^ ((b) | ~(d)))

constexpr std::size_t kReadChunk = 64 * 1024;

}  // namespace

Md5Context::Md5Context() { std::memcpy(state_, kInitialState, sizeof(state_)); }

void Md5Context::Transform(const std::uint8_t block[64]) {
    std::uint32_t w[16];
    std::memcpy(w, block, sizeof(w));  // x64 is little-endian, as MD5's words are
    std::uint32_t a = state_[0], b = state_[1], c = state_[2], d = state_[3];

    MD5_STEP(MD5_F, a, b, c, d, w[0], 0xd76aa478, 7);
    MD5_STEP(MD5_F, d, a, b, c, w[1], 0xe8c7b756, 12);
    MD5_STEP(MD5_F, c, d, a, b, w[2], 0x242070db, 17);
    MD5_STEP(MD5_F, b, c, d, a, w[3], 0xc1bdceee, 22);
    MD5_STEP(MD5_F, a, b, c, d, w[4], 0xf57c0faf, 7);
    MD5_STEP(MD5_F, d, a, b, c, w[5], 0x4787c62a, 12);
    MD5_STEP(MD5_F, c, d, a, b, w[6], 0xa8304613, 17);
    MD5_STEP(MD5_F, b, c, d, a, w[7], 0xfd469501, 22);
    MD5_STEP(MD5_F, a, b, c, d, w[8], 0x698098d8, 7);
    MD5_STEP(MD5_F, d, a, b, c, w[9], 0x8b44f7af, 12);
    MD5_STEP(MD5_F, c, d, a, b, w[10], 0xffff5bb1, 17);
    MD5_STEP(MD5_F, b, c, d, a, w[11], 0x895cd7be, 22);
    MD5_STEP(MD5_F, a, b, c, d, w[12], 0x6b901122, 7);
    MD5_STEP(MD5_F, d, a, b, c, w[13], 0xfd987193, 12);
    MD5_STEP(MD5_F, c, d, a, b, w[14], 0xa679438e, 17);
    MD5_STEP(MD5_F, b, c, d, a, w[15], 0x49b40821, 22);

    MD5_STEP(MD5_G, a, b, c, d, w[1], 0xf61e2562, 5);
    MD5_STEP(MD5_G, d, a, b, c, w[6], 0xc040b340, 9);
    MD5_STEP(MD5_G, c, d, a, b, w[11], 0x265e5a51, 14);
    MD5_STEP(MD5_G, b, c, d, a, w[0], 0xe9b6c7aa, 20);
    MD5_STEP(MD5_G, a, b, c, d, w[5], 0xd62f105d, 5);
    MD5_STEP(MD5_G, d, a, b, c, w[10], 0x02441453, 9);
    MD5_STEP(MD5_G, c, d, a, b, w[15], 0xd8a1e681, 14);
    MD5_STEP(MD5_G, b, c, d, a, w[4], 0xe7d3fbc8, 20);
    MD5_STEP(MD5_G, a, b, c, d, w[9], 0x21e1cde6, 5);
    MD5_STEP(MD5_G, d, a, b, c, w[14], 0xc33707d6, 9);
    MD5_STEP(MD5_G, c, d, a, b, w[3], 0xf4d50d87, 14);
    MD5_STEP(MD5_G, b, c, d, a, w[8], 0x455a14ed, 20);
    MD5_STEP(MD5_G, a, b, c, d, w[13], 0xa9e3e905, 5);
    MD5_STEP(MD5_G, d, a, b, c, w[2], 0xfcefa3f8, 9);
    MD5_STEP(MD5_G, c, d, a, b, w[7], 0x676f02d9, 14);
    MD5_STEP(MD5_G, b, c, d, a, w[12], 0x8d2a4c8a, 20);

    MD5_STEP(MD5_H, a, b, c, d, w[5], 0xfffa3942, 4);
    MD5_STEP(MD5_H, d, a, b, c, w[8], 0x8771f681, 11);
    MD5_STEP(MD5_H, c, d, a, b, w[11], 0x6d9d6122, 16);
    MD5_STEP(MD5_H, b, c, d, a, w[14], 0xfde5380c, 23);
    MD5_STEP(MD5_H, a, b, c, d, w[1], 0xa4beea44, 4);
    MD5_STEP(MD5_H, d, a, b, c, w[4], 0x4bdecfa9, 11);
    MD5_STEP(MD5_H, c, d, a, b, w[7], 0xf6bb4b60, 16);
    MD5_STEP(MD5_H, b, c, d, a, w[10], 0xbebfbc70, 23);
    MD5_STEP(MD5_H, a, b, c, d, w[13], 0x289b7ec6, 4);
    MD5_STEP(MD5_H, d, a, b, c, w[0], 0xeaa127fa, 11);
    MD5_STEP(MD5_H, c, d, a, b, w[3], 0xd4ef3085, 16);
    MD5_STEP(MD5_H, b, c, d, a, w[6], 0x04881d05, 23);
    MD5_STEP(MD5_H, a, b, c, d, w[9], 0xd9d4d039, 4);
    MD5_STEP(MD5_H, d, a, b, c, w[12], 0xe6db99e5, 11);
    MD5_STEP(MD5_H, c, d, a, b, w[15], 0x1fa27cf8, 16);
    MD5_STEP(MD5_H, b, c, d, a, w[2], 0xc4ac5665, 23);

    MD5_STEP(MD5_I, a, b, c, d, w[0], 0xf4292244, 6);
    MD5_STEP(MD5_I, d, a, b, c, w[7], 0x432aff97, 10);
    MD5_STEP(MD5_I, c, d, a, b, w[14], 0xab9423a7, 15);
    MD5_STEP(MD5_I, b, c, d, a, w[5], 0xfc93a039, 21);
    MD5_STEP(MD5_I, a, b, c, d, w[12], 0x655b59c3, 6);
    MD5_STEP(MD5_I, d, a, b, c, w[3], 0x8f0ccc92, 10);
    MD5_STEP(MD5_I, c, d, a, b, w[10], 0xffeff47d, 15);
    MD5_STEP(MD5_I, b, c, d, a, w[1], 0x85845dd1, 21);
    MD5_STEP(MD5_I, a, b, c, d, w[8], 0x6fa87e4f, 6);
    MD5_STEP(MD5_I, d, a, b, c, w[15], 0xfe2ce6e0, 10);
    MD5_STEP(MD5_I, c, d, a, b, w[6], 0xa3014314, 15);
    MD5_STEP(MD5_I, b, c, d, a, w[13], 0x4e0811a1, 21);
    MD5_STEP(MD5_I, a, b, c, d, w[4], 0xf7537e82, 6);
    MD5_STEP(MD5_I, d, a, b, c, w[11], 0xbd3af235, 10);
    MD5_STEP(MD5_I, c, d, a, b, w[2], 0x2ad7d2bb, 15);
    MD5_STEP(MD5_I, b, c, d, a, w[9], 0xeb86d391, 21);

    state_[0] += a;
    state_[1] += b;
    state_[2] += c;
    state_[3] += d;
}

#undef MD5_STEP
#undef MD5_F
#undef MD5_G
#undef MD5_H
#undef MD5_I

void Md5Context::Update(const void* data, std::size_t size) {
    if (finalised_ || size == 0) return;
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    std::size_t used = static_cast<std::size_t>((bit_count_ / 8) % 64);
    bit_count_ += static_cast<std::uint64_t>(size) * 8;  // the RFC keeps the length modulo 2^64
    if (used > 0) {
        const std::size_t take = std::min(size, 64 - used);
        std::memcpy(buffer_ + used, bytes, take);
        bytes += take;
        size -= take;
        used += take;
        if (used < 64) return;
        Transform(buffer_);
    }
    for (; size >= 64; bytes += 64, size -= 64) Transform(bytes);
    std::memcpy(buffer_, bytes, size);
}

const std::array<std::uint8_t, 16>& Md5Context::Final() {
    if (finalised_) return digest_;
    const std::uint64_t length = bit_count_;
    std::uint8_t padding[64] = {0x80};
    const std::size_t used = static_cast<std::size_t>((length / 8) % 64);
    const std::size_t pad = used < 56 ? 56 - used : 120 - used;
    std::uint8_t length_bytes[8];
    for (int i = 0; i < 8; ++i) length_bytes[i] = static_cast<std::uint8_t>(length >> (8 * i));
    Update(padding, pad);
    Update(length_bytes, sizeof(length_bytes));
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            digest_[i * 4 + j] = static_cast<std::uint8_t>(state_[i] >> (8 * j));
    finalised_ = true;
    return digest_;
}

std::string Md5Context::HexDigest() {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(32);
    for (const std::uint8_t byte : Final()) {
        hex.push_back(kHex[byte >> 4]);
        hex.push_back(kHex[byte & 0x0f]);
    }
    return hex;
}

bool Md5OfInput(std::istream& input, std::string& hex, std::int64_t& size) {
    size = 0;
    Md5Context context;
    std::string chunk(kReadChunk, '\0');
    // A read error sets badbit, never eof alone, so it ends the loop too and is reported.
    while (input.good()) {
        input.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        const std::streamsize got = input.gcount();
        if (got > 0) {
            context.Update(chunk.data(), static_cast<std::size_t>(got));
            size += got;
        }
    }
    hex = context.HexDigest();
    return !input.bad() && input.eof();
}

bool Md5OfStream(std::ifstream& stream, std::string& hex, std::int64_t& size) {
    if (!stream.is_open()) {
        hex.clear();
        size = 0;
        return false;
    }
    const bool ok = Md5OfInput(stream, hex, size);
    stream.close();
    return ok;
}

bool Md5OfStream(std::ifstream& stream, std::string& hex, int& size) {
    std::int64_t full = 0;
    const bool ok = Md5OfStream(stream, hex, full);
    size = static_cast<int>(std::min<std::int64_t>(full, INT_MAX));
    return ok && full <= INT_MAX;
}

bool Md5OfFile(const std::wstring& path, std::string& hex, std::int64_t& size) {
    std::ifstream stream(std::filesystem::path(path), std::ios::binary);
    return Md5OfStream(stream, hex, size);
}

bool VerifyFileMd5(const std::string& path, const std::string& expected, std::string& hex,
                   std::int64_t& size) {
    hex.clear();
    size = 0;
    if (path.empty()) return false;
    std::string digest;
    std::int64_t count = 0;
    if (!Md5OfFile(kbase::WidePath(path), digest, count)) return false;
    hex = digest;
    size = count;
    return hex == expected;
}

bool VerifyFileMd5(const std::string& path, const std::string& expected, std::string& hex,
                   int& size) {
    std::int64_t full = 0;
    const bool ok = VerifyFileMd5(path, expected, hex, full);
    size = static_cast<int>(std::min<std::int64_t>(full, INT_MAX));
    return ok && full <= INT_MAX;
}
