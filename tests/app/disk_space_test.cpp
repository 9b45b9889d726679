#include "app/disk_space.h"

#include <map>
#include <optional>
#include <vector>

#include <gtest/gtest.h>

namespace {

// Free space per path (nullopt: unreadable) and a record of every box asked for.
class DiskSpaceTest : public testing::Test {
protected:
    struct Box {
        std::wstring title;
        std::wstring text;
        bool literal;
        std::wstring button1;
        std::wstring button2;
        bool hasAnswer;
    };

    DiskSpaceTest() {
        services_.queryFree = [this](const std::wstring& path, std::uint64_t& freeBytes) {
            queried_.push_back(path);
            const std::optional<std::uint64_t> space = free_.at(path);
            if (space) freeBytes = *space;
            return space.has_value();
        };
        services_.showMessageBox = [this](const std::wstring& title, const std::wstring& id,
                                          const std::wstring& b1, const std::wstring& b2,
                                          DiskSpaceAnswer answer) {
            boxes_.push_back({title, id, false, b1, b2, answer != nullptr});
        };
        services_.showMessageBoxEx = [this](const std::wstring& title, const std::wstring& text,
                                            const std::wstring& b1, const std::wstring& b2,
                                            DiskSpaceAnswer answer) {
            boxes_.push_back({title, text, true, b1, b2, answer != nullptr});
        };
    }

    DiskSpaceServices services_;
    std::map<std::wstring, std::optional<std::uint64_t>> free_;
    std::vector<std::wstring> queried_;
    std::vector<Box> boxes_;
    const DiskSpaceAnswer answer_ = [](int) {};
};

TEST_F(DiskSpaceTest, FourGibibytesPassUnreadableSpaceOnlyWarns) {
    struct Case {
        std::optional<std::uint64_t> space;
        bool pass;
        bool box;
    } const cases[] = {
        {kRequiredFreeBytes, true, false},
        {kRequiredFreeBytes - 1, false, true},
        {0, false, true},
        {~0ULL, true, false},
        {std::nullopt, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.space ? std::to_string(*c.space) : "unreadable");
        free_ = {{L"D:\\Game", c.space}};
        boxes_.clear();
        EXPECT_EQ(CheckFreeDiskSpace(L"D:\\Game", L"short", L"b1", L"b2", answer_, services_), c.pass);
        ASSERT_EQ(boxes_.size(), c.box ? 1u : 0u);
        if (!c.box) continue;
        EXPECT_EQ(boxes_[0].title, L"STRING_ERROR_NOTICE");
        if (c.space) {  // the caller's text and buttons, with the answer callback
            EXPECT_TRUE(boxes_[0].literal);
            EXPECT_EQ(boxes_[0].text, L"short");
            EXPECT_EQ(boxes_[0].button1, L"b1");
            EXPECT_EQ(boxes_[0].button2, L"b2");
            EXPECT_TRUE(boxes_[0].hasAnswer);
        } else {  // a notice only: the operation goes on without waiting for an answer
            EXPECT_FALSE(boxes_[0].literal);
            EXPECT_EQ(boxes_[0].text, L"STRING_ERROR_INVALID_DISKSPACE");
            EXPECT_EQ(boxes_[0].button1, L"");
            EXPECT_EQ(boxes_[0].button2, L"STRING_CONFIRM");
            EXPECT_FALSE(boxes_[0].hasAnswer);
        }
    }
}

TEST_F(DiskSpaceTest, DownloadCheckTestsTheGameDriveThenTheLauncherDrive) {
    const std::wstring needText = L"{p1}: {p2} needed ({p2}), {p3}";
    free_ = {{L"D:\\Game", 0}, {L"C:\\L\\launcher.exe", 0}};
    EXPECT_FALSE(CheckDownloadDiskSpace(L"D:\\Game", L"C:\\L\\launcher.exe", needText, answer_, services_));
    EXPECT_EQ(queried_, std::vector<std::wstring>{L"D:\\Game"});  // one box, one drive
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, L"D:  4.00G needed ( 4.00G), {p3}");
    EXPECT_EQ(boxes_[0].button1, L"STRING_CANCEL");
    EXPECT_EQ(boxes_[0].button2, L"STRING_DOWNLOAD_CONTINUE");

    free_[L"D:\\Game"] = kRequiredFreeBytes;
    boxes_.clear();
    EXPECT_FALSE(CheckDownloadDiskSpace(L"D:\\Game", L"C:\\L\\launcher.exe", needText, answer_, services_));
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, L"C:  4.00G needed ( 4.00G), {p3}");

    free_[L"C:\\L\\launcher.exe"] = kRequiredFreeBytes;
    boxes_.clear();
    EXPECT_TRUE(CheckDownloadDiskSpace(L"D:\\Game", L"C:\\L\\launcher.exe", needText, answer_, services_));
    EXPECT_TRUE(boxes_.empty());
}

// The language text is filled in, never used as a format: other directives stay as they are.
TEST_F(DiskSpaceTest, InstallCheckFillsTheTextWithoutFormatting) {
    struct Case {
        const wchar_t* text;
        const wchar_t* want;
    } const cases[] = {
        {L"Not enough disk space. %ls needed.", L"Not enough disk space.  4.00G needed."},
        {L"%n %ls %ls %d%%", L"%n  4.00G %ls %d%"},
        {L"no directive", L"no directive"},
        {L"", L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
        free_ = {{L"D:\\Game", 1}, {L"C:\\L\\launcher.exe", 1}};
        boxes_.clear();
        EXPECT_FALSE(CheckInstallDiskSpace(L"D:\\Game", L"C:\\L\\launcher.exe", c.text, answer_, services_));
        ASSERT_EQ(boxes_.size(), 1u);
        EXPECT_EQ(boxes_[0].text, c.want);
        EXPECT_EQ(boxes_[0].button1, L"");
        EXPECT_EQ(boxes_[0].button2, L"STRING_CONFIRM");
    }
}

TEST(DiskSpace, QueriesTheRealDrive) {
    std::uint64_t freeBytes = 0;
    EXPECT_TRUE(QueryFreeDiskSpace(L".", freeBytes));
    EXPECT_GT(freeBytes, 0u);
    EXPECT_FALSE(QueryFreeDiskSpace(L"\\\\server\\share\\x", freeBytes));
}

}  // namespace
