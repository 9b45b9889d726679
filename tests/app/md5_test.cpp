#include "app/md5.h"

#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <streambuf>

#include <gtest/gtest.h>
#include <windows.h>

#include "base/string_conversions.h"
#include "tests/app/scratch_folder.h"

namespace {

std::string HexOf(std::string_view bytes) {
    Md5Context context;
    context.Update(bytes.data(), bytes.size());
    return context.HexDigest();
}

// The same bytes that produced the digests below with md5sum on Linux.
std::string Pattern(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 131 + (i >> 8) * 7 + 13) & 0xff);
    return bytes;
}

struct FileCase {
    std::size_t size;
    const char* md5;
};
// Block boundaries (64), the 1024-byte read size of old readers, and several MiB.
constexpr FileCase kFileCases[] = {
    {0, "d41d8cd98f00b204e9800998ecf8427e"},
    {64, "d290ede1337579c755c45b9fec6d6ab1"},
    {65, "ba5f7ff6540295d33b0da4b008a67795"},
    {1024, "7df90e028185795d419b669cd4a7de80"},
    {1025, "e1cac1c739cbbcbe9c8fcd9dc164ad1b"},
    {3 * 1024 * 1024 + 7, "b2a6ca3d8ca4bdbaa1c2214f89f894a0"},
};

std::string Narrow(const std::wstring& path) {
    std::string narrow;
    kbase::WideToCodePage(path, narrow, CP_ACP);
    return narrow;
}

// A stream whose reads fail after `good` bytes, as a disk error would.
class FailingBuffer : public std::streambuf {
public:
    explicit FailingBuffer(std::size_t good) : data_(good, 'x') {
        setg(data_.data(), data_.data(), data_.data() + data_.size());
    }

protected:
    int_type underflow() override { throw std::runtime_error("read error"); }

private:
    std::string data_;
};

}  // namespace

TEST(Md5Context, MatchesRfc1321Vectors) {
    const struct {
        const char* text;
        const char* md5;
    } cases[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"1234567890123456789012345678901234567890123456789012345678901234567890123456789"
         "0",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(HexOf(c.text), c.md5);
    }
}

TEST(Md5Context, PiecesGiveTheDigestOfTheWholeAndFinalIsStable) {
    const std::string bytes = Pattern(1000);
    for (const std::size_t piece : {1u, 7u, 63u, 64u, 65u, 999u}) {
        SCOPED_TRACE(piece);
        Md5Context context;
        for (std::size_t at = 0; at < bytes.size(); at += piece)
            context.Update(bytes.data() + at, std::min(piece, bytes.size() - at));
        EXPECT_EQ(context.HexDigest(), HexOf(bytes));
        EXPECT_EQ(context.HexDigest(), HexOf(bytes));  // asking again changes nothing
    }
}

TEST(Md5OfFile, MatchesMd5sumAtBlockAndReadBoundaries) {
    ScratchFolder folder;
    for (const FileCase& c : kFileCases) {
        SCOPED_TRACE(c.size);
        const std::wstring name = L"f" + std::to_wstring(c.size);
        folder.WriteFile(name, Pattern(c.size));

        std::string hex;
        std::int64_t size = -1;
        EXPECT_TRUE(Md5OfFile(folder.Child(name), hex, size));
        EXPECT_EQ(hex, c.md5);
        EXPECT_EQ(size, static_cast<std::int64_t>(c.size));

        std::ifstream stream(std::filesystem::path(folder.Child(name)), std::ios::binary);
        int small_size = -1;
        EXPECT_TRUE(Md5OfStream(stream, hex, small_size));
        EXPECT_EQ(hex, c.md5);
        EXPECT_EQ(small_size, static_cast<int>(c.size));
        EXPECT_FALSE(stream.is_open());
        // Closed, so the file can be replaced at once.
        EXPECT_TRUE(::DeleteFileW(folder.Child(name).c_str()));
    }
}

TEST(Md5OfStream, HashesFromTheCurrentPosition) {
    ScratchFolder folder;
    folder.WriteFile(L"f", "skip:abc");
    std::ifstream stream(std::filesystem::path(folder.Child(L"f")), std::ios::binary);
    stream.seekg(5);
    std::string hex;
    std::int64_t size = 0;
    EXPECT_TRUE(Md5OfStream(stream, hex, size));
    EXPECT_EQ(hex, "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_EQ(size, 3);
}

TEST(Md5OfStream, FailsOnStreamsThatCannotBeRead) {
    std::string hex = "old";
    std::int64_t size = 7;
    std::ifstream never_opened;
    EXPECT_FALSE(Md5OfStream(never_opened, hex, size));
    EXPECT_EQ(hex, "");
    EXPECT_EQ(size, 0);

    ScratchFolder folder;  // a folder opens as a stream on some runtimes but cannot be read
    std::ifstream folder_stream(std::filesystem::path(folder.path()), std::ios::binary);
    EXPECT_FALSE(Md5OfStream(folder_stream, hex, size));
}

TEST(Md5OfInput, ReportsAReadErrorPartWay) {
    for (const std::size_t good : {0u, 100u, 70000u}) {
        SCOPED_TRACE(good);
        FailingBuffer buffer(good);
        std::istream input(&buffer);
        std::string hex;
        std::int64_t size = 0;
        EXPECT_FALSE(Md5OfInput(input, hex, size));
    }
}

TEST(VerifyFileMd5, MatchesOnlyTheExactLowerCaseDigest) {
    ScratchFolder folder;
    folder.WriteFile(L"abc.bin", "abc");
    const std::string path = Narrow(folder.Child(L"abc.bin"));
    const struct {
        const char* expected;
        bool match;
    } cases[] = {
        {"900150983cd24fb0d6963f7d28e17f72", true},
        {"900150983CD24FB0D6963F7D28E17F72", false},
        {"900150983cd24fb0d6963f7d28e17f7", false},
        {"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        std::string hex;
        int size = -1;
        EXPECT_EQ(VerifyFileMd5(path, c.expected, hex, size), c.match);
        EXPECT_EQ(hex, "900150983cd24fb0d6963f7d28e17f72");
        EXPECT_EQ(size, 3);
    }
}

TEST(VerifyFileMd5, MissingFileFailsWithEmptyResults) {
    ScratchFolder folder;
    std::string hex = "stale";
    int size = 9;
    EXPECT_FALSE(VerifyFileMd5(Narrow(folder.Child(L"missing.bin")),
                               "d41d8cd98f00b204e9800998ecf8427e", hex, size));
    EXPECT_EQ(hex, "");
    EXPECT_EQ(size, 0);
}
