#include "windows/balloon_request.h"

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

// A block as another process builds it: each field filled with its text, the rest zero.
std::vector<unsigned char> Block(const std::wstring& title, const std::wstring& text, const std::wstring& sound,
                                 std::uint64_t window) {
    std::vector<unsigned char> block(BalloonRequest::kBlockSize, 0);
    const auto put = [&block](std::size_t offset, std::size_t chars, const std::wstring& value) {
        for (std::size_t i = 0; i < value.size() && i < chars; ++i) {
            block[offset + i * 2] = static_cast<unsigned char>(value[i] & 0xFF);
            block[offset + i * 2 + 1] = static_cast<unsigned char>(value[i] >> 8);
        }
    };
    put(0, 64, title);
    put(128, 256, text);
    put(640, 1024, sound);
    for (int i = 0; i < 8; ++i) block[2688 + i] = static_cast<unsigned char>(window >> (8 * i));
    return block;
}

TEST(ParseBalloonRequest, ReadsEveryFieldOfAFullBlock) {
    const auto block = Block(L"Title", L"Some text", L"C:\\ding.wav", 0x12345678ABCull);
    const auto request = ParseBalloonRequest(0, block.data(), block.size());
    ASSERT_TRUE(request);
    EXPECT_EQ(request->title, L"Title");
    EXPECT_EQ(request->text, L"Some text");
    EXPECT_EQ(request->sound, L"C:\\ding.wav");
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(request->window), 0x12345678ABCull);
}

TEST(ParseBalloonRequest, RefusesAnythingButAFullBlockWithDataZero) {
    const auto block = Block(L"t", L"x", L"", 1);
    struct Case {
        ULONG_PTR dwData;
        const void* data;
        std::size_t size;
    } const cases[] = {
        {1, block.data(), block.size()},
        {0, block.data(), block.size() - 1},  // a short block would be read past its end
        {0, block.data(), 0},
        {0, nullptr, block.size()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        EXPECT_FALSE(ParseBalloonRequest(c.dwData, c.data, c.size));
    }
    std::vector<unsigned char> longer = block;
    longer.push_back(0);
    EXPECT_FALSE(ParseBalloonRequest(0, longer.data(), longer.size()));
}

TEST(ParseBalloonRequest, CutsFieldsWithoutTerminatorAtTheirWidth) {
    // Every field full to its last character, no terminator anywhere: nothing is read past a
    // field, and each text fits the notification's buffer with its terminator.
    const auto block = Block(std::wstring(64, L'T'), std::wstring(256, L'X'), std::wstring(1024, L'S'), 0);
    const auto request = ParseBalloonRequest(0, block.data(), block.size());
    ASSERT_TRUE(request);
    EXPECT_EQ(request->title, std::wstring(63, L'T'));
    EXPECT_EQ(request->text, std::wstring(255, L'X'));
    EXPECT_EQ(request->sound, std::wstring(1023, L'S'));
}

TEST(ParseBalloonRequest, TakesEmptyFields) {
    const auto block = Block(L"", L"", L"", 0);
    const auto request = ParseBalloonRequest(0, block.data(), block.size());
    ASSERT_TRUE(request);
    EXPECT_TRUE(request->title.empty() && request->text.empty() && request->sound.empty());
}

}  // namespace
