#include <gtest/gtest.h>

#include "app/file_util.h"
#include "download/resume_record.h"
#include "tests/download/download_test_support.h"

namespace {

const std::string kMd5 = "0123456789abcdef0123456789abcdef";

void WriteText(const std::string& file, const std::string& text) {
    ASSERT_TRUE(WriteStringToFile(file, text));
}

}  // namespace

TEST(ResumeRecord, WritesTabIndentedAndReadsBackTheOpenRanges) {
    dltest::ScratchDir dir;
    ASSERT_TRUE(WriteResumeRecord("sub\\game.bin", kMd5, {{0, 33554432, 33554431}, {1, 33554500, 40000000}}));
    WriteText("sub\\game.bin", "data");
    const std::string text = dltest::ReadFileBytes("sub\\game.bin.cfg");
    EXPECT_NE(text.find("\n\t\"infoList\""), std::string::npos) << text;
    EXPECT_NE(text.find("\"md5\" : \"" + kMd5 + "\""), std::string::npos) << text;

    std::vector<ChunkInfo> open;
    ASSERT_TRUE(ReadResumeRecord("sub\\game.bin", kMd5, 40000001, open));
    EXPECT_EQ(open, (std::vector<ChunkInfo>{{1, 33554500, 40000000}}));
    EXPECT_TRUE(ResumeRecordMatchesMd5("sub\\game.bin", kMd5));
    EXPECT_FALSE(ResumeRecordMatchesMd5("sub\\game.bin", "ffffffffffffffffffffffffffffffff"));
}

TEST(ResumeRecord, AnUnusableRecordDeletesTheFileAndItself) {
    const std::string good = R"({"md5":")" + kMd5 + R"(","infoList":[{"index":0,"begin":0,"end":99}]})";
    struct Case {
        const char* what;
        std::string record;
        bool withFile = true;
    } const cases[] = {
        {"the file is gone", good, false},
        {"another md5", R"({"md5":"ffffffffffffffffffffffffffffffff","infoList":[{"index":0,"begin":0,"end":99}]})"},
        {"no range list", R"({"md5":")" + kMd5 + R"("})"},
        {"every range finished", R"({"md5":")" + kMd5 + R"(","infoList":[{"index":0,"begin":100,"end":99}]})"},
        {"a range past the file", R"({"md5":")" + kMd5 + R"(","infoList":[{"index":0,"begin":0,"end":100}]})"},
        {"begin not an integer", R"({"md5":")" + kMd5 + R"(","infoList":[{"index":0,"begin":"0","end":99}]})"},
        {"begin beyond 32 bits", R"({"md5":")" + kMd5 + R"(","infoList":[{"index":0,"begin":4294967296,"end":99}]})"},
        {"overlapping ranges", R"({"md5":")" + kMd5 +
                                   R"(","infoList":[{"index":0,"begin":0,"end":60},{"index":1,"begin":50,"end":99}]})"},
        {"not an object", R"([1,2,3])"},
    };
    dltest::ScratchDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.withFile) WriteText("f.bin", "partial");
        WriteText("f.bin.cfg", c.record);
        std::vector<ChunkInfo> open;
        EXPECT_FALSE(ReadResumeRecord("f.bin", kMd5, 100, open));
        EXPECT_TRUE(open.empty());
        EXPECT_FALSE(dltest::FileExists("f.bin"));
        EXPECT_FALSE(dltest::FileExists("f.bin.cfg"));
    }
}

TEST(ResumeRecord, AnUnreadableRecordDeletesNothing) {
    dltest::ScratchDir dir;
    WriteText("f.bin", "partial");
    WriteText("f.bin.cfg", "{\"md5\": \"" + kMd5 + "\", \"infoList\": [");  // cut off by a crash
    std::vector<ChunkInfo> open;
    EXPECT_FALSE(ReadResumeRecord("f.bin", kMd5, 100, open));
    EXPECT_TRUE(dltest::FileExists("f.bin"));
    EXPECT_TRUE(dltest::FileExists("f.bin.cfg"));
    EXPECT_FALSE(ReadResumeRecord("missing.bin", kMd5, 100, open));
}
