#include "app/system_info.h"

#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "app/handle_buffer.h"
#include "scratch_folder.h"

namespace {

bool AllDigits(const std::string& text, std::size_t from, std::size_t count) {
    return text.substr(from, count).find_first_not_of("0123456789") == std::string::npos;
}

TEST(GetUtcDateTime, FormatsZeroPaddedFields) {
    std::string date = "old";
    std::string time = "old";
    ASSERT_TRUE(GetUtcDateTime(date, time));
    ASSERT_EQ(date.size(), 10u) << date;
    EXPECT_TRUE(AllDigits(date, 0, 4) && date[4] == '-' && AllDigits(date, 5, 2) && date[7] == '-' &&
                AllDigits(date, 8, 2))
        << date;
    ASSERT_EQ(time.size(), 8u) << time;
    EXPECT_TRUE(AllDigits(time, 0, 2) && time[2] == ':' && AllDigits(time, 3, 2) && time[5] == ':' &&
                AllDigits(time, 6, 2))
        << time;
}

TEST(GetDriveName, TextBeforeTheFirstColon) {
    wchar_t cwd[MAX_PATH] = {};
    ASSERT_GT(::GetCurrentDirectoryW(MAX_PATH, cwd), 0u);
    const std::wstring cwdText = cwd;
    const std::wstring cwdDrive = cwdText.substr(0, cwdText.find(L':'));

    struct Case { const wchar_t* path; std::wstring want; } const cases[] = {
        {L"D:\\Games", L"D"},
        {L"d:/games", L"d"},
        {L"\\\\server\\share\\Games", L""},
        {L"Games\\Tarvenor", cwdDrive},
        {L"", L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.path)));
        EXPECT_EQ(GetDriveName(c.path), c.want);
    }
}

class ReadHandleToBufferTest : public testing::Test {
protected:
    void SetUp() override { folder_.WriteFile(L"data.bin", "0123456789"); }

    kbase::ScopedFileHandle Open() {
        return kbase::ScopedFileHandle(::CreateFileW(folder_.Child(L"data.bin").c_str(), GENERIC_READ,
                                                     FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    }
    // The handle is closed when the file can be opened with no sharing at all.
    bool Closed() {
        kbase::ScopedFileHandle exclusive(::CreateFileW(folder_.Child(L"data.bin").c_str(), GENERIC_READ, 0,
                                                        nullptr, OPEN_EXISTING, 0, nullptr));
        return static_cast<bool>(exclusive);
    }

    ScratchFolder folder_;
};

TEST_F(ReadHandleToBufferTest, ReadsExactlyCountBytesAndCloses) {
    int size = -1;
    const auto buffer = ReadHandleToBuffer(Open(), 10, &size);
    ASSERT_TRUE(buffer);
    EXPECT_EQ(std::string(buffer.get()), "0123456789");  // terminated after count bytes
    EXPECT_EQ(size, 10);
    EXPECT_TRUE(Closed());

    EXPECT_TRUE(ReadHandleToBuffer(Open(), 4, nullptr));
    EXPECT_TRUE(ReadHandleToBuffer(Open(), 0, nullptr));
}

TEST_F(ReadHandleToBufferTest, FailsWhenTheFileIsShortOrTheCountTooLarge) {
    int size = -1;
    EXPECT_FALSE(ReadHandleToBuffer(Open(), 11, &size));
    EXPECT_EQ(size, -1);
    EXPECT_TRUE(Closed());
    EXPECT_FALSE(ReadHandleToBuffer(Open(), 0x80000000ull, &size));
    EXPECT_FALSE(ReadHandleToBuffer(Open(), 0x100000000ull + 10, &size));
    EXPECT_TRUE(Closed());
    EXPECT_FALSE(ReadHandleToBuffer(kbase::ScopedFileHandle(), 1, &size));
}

}  // namespace
