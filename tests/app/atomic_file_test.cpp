#include "app/atomic_file.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>
#include <windows.h>

#include "base/unique_handle.h"
#include "tests/app/scratch_folder.h"

namespace {

int CountEntries(const std::wstring& folder) {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
    return count;
}

}  // namespace

TEST(WriteFileAtomic, CreatesAndReplacesWholeWithoutLeftovers) {
    ScratchFolder folder;
    const std::wstring target = folder.Child(L"settings.json");
    ASSERT_TRUE(WriteFileAtomic(target, std::string("first, longer contents\r\n\0x", 26)));
    EXPECT_EQ(ReadWholeFile(target), std::string("first, longer contents\r\n\0x", 26));
    ASSERT_TRUE(WriteFileAtomic(target, "second"));
    EXPECT_EQ(ReadWholeFile(target), "second");  // no tail of the longer old contents
    ASSERT_TRUE(WriteFileAtomic(target, ""));
    EXPECT_EQ(ReadWholeFile(target), "");
    EXPECT_EQ(CountEntries(folder.path()), 1);  // no temporary left behind
}

TEST(WriteFileAtomic, FailureLeavesTheOldFileIntact) {
    ScratchFolder folder;
    EXPECT_FALSE(WriteFileAtomic(folder.Child(L"missing\\x.json"), "data"));
    EXPECT_FALSE(WriteFileAtomic(L"", "data"));

    // A target held open without delete sharing cannot be replaced.
    const std::wstring target = folder.Child(L"locked.json");
    folder.WriteFile(L"locked.json", "old");
    {
        kbase::ScopedFileHandle holder(::CreateFileW(target.c_str(), GENERIC_READ,
                                                     FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                     OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(holder);
        EXPECT_FALSE(WriteFileAtomic(target, "new"));
    }
    EXPECT_EQ(ReadWholeFile(target), "old");

    // A folder in the target's place is not replaced either.
    ASSERT_TRUE(::CreateDirectoryW(folder.Child(L"dir").c_str(), nullptr));
    EXPECT_FALSE(WriteFileAtomic(folder.Child(L"dir"), "new"));
    EXPECT_TRUE(std::filesystem::is_directory(folder.Child(L"dir")));

    EXPECT_EQ(CountEntries(folder.path()), 2);  // locked.json and dir; no temporaries
}

TEST(WriteFileAtomic, ConcurrentWritersEachWriteWhole) {
    ScratchFolder folder;
    const std::wstring target = folder.Child(L"state.json");
    constexpr int kThreads = 4;
    constexpr int kWrites = 25;
    std::vector<std::string> contents;
    for (int t = 0; t < kThreads; ++t) contents.push_back(std::string(4096 + t * 1000, 'a' + t));
    std::vector<int> failures(kThreads, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < kWrites; ++i)
                if (!WriteFileAtomic(target, contents[t])) ++failures[t];
        });
    }
    for (std::thread& thread : threads) thread.join();
    for (int t = 0; t < kThreads; ++t) EXPECT_EQ(failures[t], 0) << "writer " << t;
    const std::string last = ReadWholeFile(target);
    EXPECT_NE(std::find(contents.begin(), contents.end(), last), contents.end());
    EXPECT_EQ(CountEntries(folder.path()), 1);
}
