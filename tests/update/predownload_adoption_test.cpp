#include "update/predownload_adoption.h"

#include <string>

#include <gtest/gtest.h>

#include "app/launcher_context.h"
#include "base/string_conversions.h"
#include "download/resume_record.h"
#include "tests/update/patch_test_support.h"
#include "tests/update/update_flow_support.h"

namespace {

using uptest::FileExists;
using uptest::Md5Of;
using uptest::ReadBytes;
using uptest::WriteBytes;

class Adoption : public ::testing::Test {
protected:
    void SetUp() override {
        kbase::WideToUtf8(scratch_.path(), root_);
        LauncherContext::Instance()->PreDlcCheck = false;
    }
    void TearDown() override { LauncherContext::Instance()->PreDlcCheck = false; }

    std::string Pre() const { return root_ + "\\pre"; }
    std::string Update() const { return root_ + "\\update"; }
    std::string Source() const { return Pre() + "\\" + md5_; }
    std::string Target() const { return Update() + "\\data\\f.bin"; }
    bool Adopt(bool keepSource = false) { return AdoptPreDownloadedFile(Pre(), Update(), "data/f.bin", md5_, keepSource); }

    patchtest::PatchScratch scratch_;
    std::string root_;
    const std::string content_ = patchtest::RandomBytes(5000, 4);
    const std::string md5_ = Md5Of(content_);
};

TEST_F(Adoption, CompleteFileMovesOverAndNeedsNoDownload) {
    WriteBytes(Source(), content_);
    EXPECT_TRUE(Adopt());
    EXPECT_EQ(ReadBytes(Target()), content_);
    EXPECT_FALSE(FileExists(Source()));
}

TEST_F(Adoption, SharedContentIsCopiedForTheEntriesStillToCome) {
    WriteBytes(Source(), content_);
    EXPECT_TRUE(Adopt(true));
    EXPECT_EQ(ReadBytes(Target()), content_);
    EXPECT_EQ(ReadBytes(Source()), content_);
}

TEST_F(Adoption, IncompleteFileMovesWithItsRecordForTheDownloadToResume) {
    WriteBytes(Source(), content_.substr(0, 100));
    ASSERT_TRUE(WriteResumeRecord(Source(), md5_, {{0, 100, 4999}}));
    EXPECT_FALSE(Adopt());
    EXPECT_EQ(ReadBytes(Target()), content_.substr(0, 100));
    EXPECT_TRUE(ResumeRecordMatchesMd5(Target(), md5_));
    EXPECT_FALSE(FileExists(Source()));
}

TEST_F(Adoption, TargetWithoutRecordIsLeftToTheDownload) {
    WriteBytes(Source(), content_);
    WriteBytes(Target(), "maybe complete");
    EXPECT_FALSE(Adopt());
    EXPECT_EQ(ReadBytes(Target()), "maybe complete");
    EXPECT_TRUE(FileExists(Source()));
}

TEST_F(Adoption, TargetRecordedForOtherContentIsReplaced) {
    WriteBytes(Source(), content_);
    WriteBytes(Target(), "other");
    ASSERT_TRUE(WriteResumeRecord(Target(), Md5Of("other content"), {{0, 0, 10}}));
    EXPECT_TRUE(Adopt());
    EXPECT_EQ(ReadBytes(Target()), content_);
    EXPECT_FALSE(FileExists(Target() + ".cfg"));
}

TEST_F(Adoption, TargetRecordedForThisContentKeepsItsProgressOverAnIncompleteSource) {
    WriteBytes(Source(), content_.substr(0, 10));
    ASSERT_TRUE(WriteResumeRecord(Source(), md5_, {{0, 10, 4999}}));
    WriteBytes(Target(), content_.substr(0, 2000));
    ASSERT_TRUE(WriteResumeRecord(Target(), md5_, {{0, 2000, 4999}}));
    EXPECT_FALSE(Adopt());
    EXPECT_EQ(ReadBytes(Target()), content_.substr(0, 2000));
}

TEST_F(Adoption, CheckedAdoptionRefusesDamagedContent) {
    LauncherContext::Instance()->PreDlcCheck = true;
    WriteBytes(Source(), uptest::Changed(content_));
    EXPECT_FALSE(Adopt());
}

TEST_F(Adoption, NamesThatCannotBeFilesAreNotTaken) {
    WriteBytes(Pre() + "\\x", content_);
    for (const char* md5 : {"", "..", "..\\x"}) {
        SCOPED_TRACE(md5);
        EXPECT_FALSE(AdoptPreDownloadedFile(Pre(), Update(), "data/f.bin", md5));
    }
    WriteBytes(Source(), content_);
    EXPECT_FALSE(AdoptPreDownloadedFile(Pre(), Update(), "../f.bin", md5_));
    EXPECT_FALSE(FileExists(root_ + "\\f.bin"));
}

}  // namespace
