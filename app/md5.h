#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <istream>
#include <string>

// MD5 (RFC 1321) of file contents, written as 32 lower-case hex digits: how every downloaded,
// installed or listed file is identified.
class Md5Context {
public:
    Md5Context();

    void Update(const void* data, std::size_t size);
    // Pads and appends the length once; later calls return the same digest.
    const std::array<std::uint8_t, 16>& Final();
    // Final() as lower-case hex.
    std::string HexDigest();

private:
    void Transform(const std::uint8_t block[64]);

    std::uint32_t state_[4];
    std::uint64_t bit_count_ = 0;
    std::uint8_t buffer_[64] = {};
    std::array<std::uint8_t, 16> digest_{};
    bool finalised_ = false;
};

// Hashes from the stream's position to its end. False when a read fails (the stream goes bad);
// then hex and size describe only what was read before.
bool Md5OfInput(std::istream& input, std::string& hex, std::int64_t& size);

// Md5OfInput, then closes the file so that the caller can move or delete it at once. False
// also for a stream that is not open.
bool Md5OfStream(std::ifstream& stream, std::string& hex, std::int64_t& size);
// The same for callers that count in 32 bits: false for 2 GiB or more (size stops at INT_MAX),
// since no such file is handled.
bool Md5OfStream(std::ifstream& stream, std::string& hex, int& size);

// Opens path (UTF-16) for binary reading and hashes it; false when it cannot be opened or read.
bool Md5OfFile(const std::wstring& path, std::string& hex, std::int64_t& size);

// hex := "", size := 0, then hashes the file at path (UTF-8); true exactly when it
// was read whole and its digest equals expected byte for byte (so upper case never matches).
bool VerifyFileMd5(const std::string& path, const std::string& expected, std::string& hex,
                   std::int64_t& size);
bool VerifyFileMd5(const std::string& path, const std::string& expected, std::string& hex,
                   int& size);
