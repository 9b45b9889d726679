#include "app/apply_list.h"

#include <gtest/gtest.h>

#include "base/string_conversions.h"
#include "tests/app/scratch_folder.h"

namespace {

std::string Narrow(const std::wstring& path) {
    std::string out;
    kbase::WideToCodePage(path, out, CP_ACP);
    return out;
}

TEST(ApplyList, RoundTripKeepsOrder) {
    ScratchFolder folder;
    const std::string path = Narrow(folder.Child(L"apply_list.txt"));
    const ApplyListRecord written{"10077_3_5", {"z.dat", "KORU_Data/a.bin", "d\xC3\xA9j\xC3\xA0.txt", "a"}};
    ASSERT_TRUE(WriteApplyList(path, written));
    EXPECT_NE(ReadWholeFile(folder.Child(L"apply_list.txt")).find("\n\t\"fileList\""), std::string::npos);

    ApplyListRecord read{"old", {"stale"}};
    ASSERT_TRUE(ReadApplyList(path, read));
    EXPECT_EQ(read.version, written.version);
    EXPECT_EQ(read.fileList, written.fileList);
}

TEST(ApplyList, NothingToWriteLeavesTheOlderFile) {
    ScratchFolder folder;
    const std::string old = R"({"version": "1_0_0", "fileList": ["a"]})";
    folder.WriteFile(L"apply_list.txt", old);
    const std::string path = Narrow(folder.Child(L"apply_list.txt"));
    EXPECT_FALSE(WriteApplyList(path, {"1_0_1", {}}));
    EXPECT_FALSE(WriteApplyList(path, {"", {"a"}}));
    EXPECT_EQ(ReadWholeFile(folder.Child(L"apply_list.txt")), old);
    EXPECT_FALSE(WriteApplyList(Narrow(folder.Child(L"missing\\apply_list.txt")), {"1_0_1", {"a"}}));
}

TEST(ApplyList, BadFilesAreNotTrustedAtAll) {
    struct Case { const char* name; const char* text; } const cases[] = {
        {"not JSON", "version 1_0_0"},
        {"empty", ""},
        {"array root", R"(["a"])"},
        {"version missing", R"({"fileList": ["a"]})"},
        {"version a number", R"({"version": 100, "fileList": ["a"]})"},
        {"fileList missing", R"({"version": "1_0_0"})"},
        {"fileList an object", R"({"version": "1_0_0", "fileList": {"a": "b"}})"},
        {"fileList a string", R"({"version": "1_0_0", "fileList": "a"})"},
        {"element a number", R"({"version": "1_0_0", "fileList": ["a", 7]})"},
        {"element null", R"({"version": "1_0_0", "fileList": ["a", null]})"},
        {"element leaves the folder", R"({"version": "1_0_0", "fileList": ["a", "..\\..\\launcher.exe"]})"},
        {"element absolute", R"({"version": "1_0_0", "fileList": ["C:\\Windows\\win.ini"]})"},
        {"element empty", R"({"version": "1_0_0", "fileList": [""]})"},
    };
    ScratchFolder folder;
    const std::string path = Narrow(folder.Child(L"apply_list.txt"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        folder.WriteFile(L"apply_list.txt", c.text);
        ApplyListRecord record{"before", {"kept"}};
        EXPECT_FALSE(ReadApplyList(path, record));
        EXPECT_EQ(record.version, "before");
        EXPECT_EQ(record.fileList, std::list<std::string>{"kept"});
    }
    ApplyListRecord record;
    EXPECT_FALSE(ReadApplyList(Narrow(folder.Child(L"missing.txt")), record));
}

TEST(ApplyList, EmptyFileListReadsAsEmpty) {
    ScratchFolder folder;
    folder.WriteFile(L"apply_list.txt", R"({"version": "1_0_0", "fileList": []})");
    ApplyListRecord record{"before", {"stale"}};
    ASSERT_TRUE(ReadApplyList(Narrow(folder.Child(L"apply_list.txt")), record));
    EXPECT_EQ(record.version, "1_0_0");
    EXPECT_TRUE(record.fileList.empty());
}

}  // namespace
