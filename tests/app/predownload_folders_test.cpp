#include "app/predownload_folders.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "base/string_conversions.h"
#include "tests/app/scratch_folder.h"

namespace {

namespace fs = std::filesystem;

std::string Narrow(const std::wstring& path) {
    std::string out;
    kbase::WideToCodePage(path, out, CP_ACP);
    return out;
}

// A scratch .\update\predownload with one sub-folder per version, each holding a file.
class PreDownloadFolders : public testing::Test {
protected:
    void Add(const std::wstring& name) {
        fs::create_directories(folder_.Child(L"predownload\\" + name + L"\\sub"));
        folder_.WriteFile(L"predownload\\" + name + L"\\sub\\file.bin", "x");
    }
    bool OnDisk(const std::wstring& name) const { return fs::exists(folder_.Child(L"predownload\\" + name)); }
    std::string Dir() const { return Narrow(folder_.Child(L"predownload")); }

    ScratchFolder folder_;
};

TEST_F(PreDownloadFolders, PruneDeletesWhatTheGameCaughtUpWith) {
    for (const wchar_t* name : {L"5_0_1", L"4_9_9", L"5_0_2", L"temp", L"5_1_0", L"6_0_0"}) Add(name);
    std::list<std::string> folders = {"5_0_1", "4_9_9", "5_0_2", "temp", "5_1_0", "6_0_0"};

    EXPECT_EQ(PrunePreDownloadFolders(Dir(), "5_0_1", folders), 2);
    // 5_1_0 is older than 5_0_1: the middle part counts last.
    EXPECT_EQ(folders, (std::list<std::string>{"5_0_2", "6_0_0"}));
    EXPECT_FALSE(OnDisk(L"5_0_1"));
    EXPECT_FALSE(OnDisk(L"4_9_9"));
    EXPECT_FALSE(OnDisk(L"5_1_0"));
    EXPECT_TRUE(OnDisk(L"5_0_2"));
    EXPECT_TRUE(OnDisk(L"6_0_0"));
    EXPECT_TRUE(OnDisk(L"temp"));  // not a version: leaves the list, stays on disk
}

TEST_F(PreDownloadFolders, PruneNeverFollowsNamesOutOfTheFolder) {
    Add(L"1_0_0");
    fs::create_directories(folder_.Child(L"victim"));
    std::list<std::string> folders = {"..\\victim", "1_0_0\\..\\..\\victim", "1_0_0 ", "1_0_0"};
    EXPECT_EQ(PrunePreDownloadFolders(Dir(), "2_0_0", folders), 0);
    EXPECT_TRUE(folders.empty());
    EXPECT_TRUE(fs::exists(folder_.Child(L"victim")));
    EXPECT_FALSE(OnDisk(L"1_0_0"));
}

TEST_F(PreDownloadFolders, PruneWithoutAUsableGameVersionChangesNothing) {
    Add(L"1_0_0");
    struct Case { const char* local; std::list<std::string> folders; int want; } const cases[] = {
        {"5_0_1", {}, 0},
        {"", {"1_0_0"}, -1},
        {"5_0", {"1_0_0"}, -2},
        {"5_0_1x", {"1_0_0"}, -2},
        {"5_0_-1", {"1_0_0"}, -2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.local);
        std::list<std::string> folders = c.folders;
        EXPECT_EQ(PrunePreDownloadFolders(Dir(), c.local, folders), c.want);
        EXPECT_EQ(folders, c.folders);
        EXPECT_TRUE(OnDisk(L"1_0_0"));
    }
}

TEST_F(PreDownloadFolders, CheckLocalPreDownload) {
    Add(L"2_0_0");
    Add(L"3_0_0");
    Add(L"4_0_0");
    folder_.WriteFile(L"predownload\\2_0_0\\predownload_version_map.txt",
                      R"({"a": {"size": 1}, "version": {"md5": "2_0_0"}})");
    folder_.WriteFile(L"predownload\\3_0_0\\predownload_version_map.txt", R"({"version": {"md5": "2_9_9"}})");
    folder_.WriteFile(L"predownload\\4_0_0\\predownload_version_map.txt", R"({"list": {"../x": {}}})");
    folder_.WriteFile(L"predownload\\5_0_0_map.txt", R"({"version": {"md5": "5_0_0"}})");
    const std::list<std::string> folders = {"2_0_0", "3_0_0", "4_0_0", "1_0_0"};

    struct Case { const char* offered; int want; } const cases[] = {
        {"", kNoPreDownloadOffered},
        {"2_0_0", kPreDownloadFinished},
        {"3_0_0", kPreDownloadNeeded},  // its map carries another version
        {"4_0_0", kPreDownloadNeeded},  // its map does not parse
        {"1_0_0", kPreDownloadNeeded},  // listed, but no map on disk
        {"5_0_0", kPreDownloadNeeded},  // not among the folders
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.offered);
        VersionMap map = {{"stale", {}}};
        EXPECT_EQ(CheckLocalPreDownload(Dir(), c.offered, folders, map), c.want);
        if (c.want == kPreDownloadFinished) {
            EXPECT_EQ(map.size(), 2u);
            EXPECT_EQ(map.count("a"), 1u);
        }
    }
}

TEST_F(PreDownloadFolders, UnfinishedMeansAPendingMapInTheVersionFolder) {
    Add(L"2_0_0");
    Add(L"3_0_0");
    folder_.WriteFile(L"predownload\\2_0_0\\tmp_predownload_version_map.txt", "{}");
    folder_.WriteFile(L"predownload\\3_0_0\\predownload_version_map.txt", "{}");
    fs::create_directories(folder_.Child(L"outside"));
    folder_.WriteFile(L"outside\\tmp_predownload_version_map.txt", "{}");

    struct Case { const char* offered; bool want; } const cases[] = {
        {"2_0_0", true}, {"3_0_0", false}, {"9_0_0", false}, {"", false}, {"..\\outside", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.offered);
        EXPECT_EQ(HasUnfinishedPreDownload(Dir(), c.offered), c.want);
    }
}

}  // namespace
