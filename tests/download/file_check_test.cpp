// The whole-file check on the helper threads: it must reach the verdict a check of the finished
// file would, however the final bytes were announced, and its flushes write the resume record.
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "download/file_check.h"
#include "download/file_check_pool.h"
#include "download/resume_record.h"
#include "tests/download/download_test_support.h"

namespace {

constexpr std::int32_t kSize = 3 << 20;

class FileCheckTest : public ::testing::Test {
protected:
    // Runs the check's work and waits (bounded) for its verdict; nullopt when none came.
    std::optional<bool> VerdictOf(const std::shared_ptr<FileCheck>& check) {
        pool_.Schedule(check);
        dltest::RunUntil([] {}, [&] { return check->Verdict().has_value(); }, std::chrono::seconds(20));
        return check->Verdict();
    }

    dltest::ScratchDir dir_;
    FileCheckPool pool_{2};
};

TEST_F(FileCheckTest, FinalBytesAnnouncedInPiecesGiveTheWholeFileDigest) {
    const std::string md5 = dltest::WriteTestFile("f.bin", kSize);
    auto check = std::make_shared<FileCheck>("f.bin", md5, kSize);
    for (const std::int64_t final : {std::int64_t{1}, std::int64_t{kSize / 3}, std::int64_t{kSize - 1}}) {
        EXPECT_TRUE(check->SetFinalBytes(final));
        pool_.Schedule(check);
        EXPECT_FALSE(check->Verdict().has_value());  // not before every byte is final
    }
    EXPECT_FALSE(check->SetFinalBytes(kSize / 3));  // never backwards
    ASSERT_TRUE(check->SetFinalBytes(kSize));
    EXPECT_EQ(VerdictOf(check), true);
    EXPECT_EQ(check->Digest(), md5);
}

TEST_F(FileCheckTest, DecidesAsACheckOfTheFinishedFile) {
    struct Case {
        const char* name;
        std::int64_t bytesOnDisk;  // of the served content's first bytes
        bool rightMd5;
        bool matches;
    } const cases[] = {
        {"exact", kSize, true, true},
        {"another md5", kSize, false, false},
        {"longer than expected", kSize + 1, true, false},  // the extra byte is hashed too
        {"shorter than expected", kSize - 1, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string whole = dltest::WriteTestFile("f.bin", kSize);
        const std::string md5 = c.rightMd5 ? whole : std::string(32, '0');
        dltest::WriteTestFile("f.bin", c.bytesOnDisk);  // the same bytes, cut or extended
        auto check = std::make_shared<FileCheck>("f.bin", md5, kSize);
        check->SetFinalBytes(kSize);
        EXPECT_EQ(VerdictOf(check), c.matches);
        // The check let go of the file: it can be replaced at once.
        EXPECT_TRUE(::DeleteFileW(L"f.bin"));
    }
}

TEST_F(FileCheckTest, AFlushWritesTheRecordAndACancelledCheckDoesNothingMore) {
    const std::string md5 = dltest::WriteTestFile("f.bin", kSize);
    auto check = std::make_shared<FileCheck>("f.bin", md5, kSize);
    const std::vector<ChunkInfo> ranges = {{0, 1000, kSize - 1}};
    check->RequestFlush(ranges);
    pool_.Schedule(check);
    std::vector<ChunkInfo> read;
    ASSERT_TRUE(dltest::RunUntil([] {}, [&] { return ReadResumeRecord("f.bin", md5, kSize, read); }));
    EXPECT_EQ(read, ranges);

    pool_.Cancel(check);
    ASSERT_TRUE(::DeleteFileW(L"f.bin.cfg"));
    check->RequestFlush(ranges);
    check->SetFinalBytes(kSize);
    pool_.Schedule(check);
    pool_.Stop();  // every helper has ended: anything the check still did is done
    EXPECT_FALSE(dltest::FileExists("f.bin.cfg"));
    EXPECT_FALSE(check->Verdict().has_value());
}

}  // namespace
