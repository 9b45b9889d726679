#include "app/ui_resource_archive.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/app/scratch_folder.h"

namespace {

// UI hooks that journal the archive calls; the file opens when opens is set.
struct ArchiveHooks {
    std::vector<std::wstring> calls;
    bool opens = true;

    UiServices Services() {
        UiServices ui;
        ui.closeResourceZip = [this] { calls.push_back(L"close"); };
        ui.openResourceZipFile = [this](const std::wstring& path) {
            calls.push_back(L"open " + path);
            return opens;
        };
        ui.openResourceZipMemory = [this](const void*, std::size_t) {
            calls.push_back(L"open embedded");
            return true;
        };
        return ui;
    }
};

TEST(LoadUiResourceArchive, OpensACopyOfResourcesZipRewrittenAtEveryLoad) {
    ScratchFolder folder;
    const std::wstring dir = folder.path() + L"\\";
    folder.WriteFile(L"resources.zip", "PK\x05\x06 first");
    ASSERT_TRUE(::CreateDirectoryW(folder.Child(L"update").c_str(), nullptr));
    ArchiveHooks hooks;
    EXPECT_EQ(LoadUiResourceArchive(dir, hooks.Services()), UiArchive::kCopy);
    const std::wstring copy = dir + L"update\\tmp_resources.zip";
    EXPECT_EQ(hooks.calls, (std::vector<std::wstring>{L"close", L"close", L"open " + copy}));
    EXPECT_EQ(ReadWholeFile(copy), "PK\x05\x06 first");

    folder.WriteFile(L"resources.zip", "PK\x05\x06 second");
    EXPECT_EQ(LoadUiResourceArchive(dir, hooks.Services()), UiArchive::kCopy);
    EXPECT_EQ(ReadWholeFile(copy), "PK\x05\x06 second");
}

TEST(LoadUiResourceArchive, FallsBackToTheEmbeddedArchive) {
    struct Case {
        const char* what;
        bool zip;
        bool updateFolder;
        bool opens;
        std::vector<std::wstring> calls;  // {dir} stands for the folder
    } const cases[] = {
        {"no resources.zip", false, true, true, {L"close"}},
        {"no update folder to copy into", true, false, true, {L"close", L"close"}},
        {"a resources.zip that is no archive", true, true, false,
         {L"close", L"close", L"open {dir}update\\tmp_resources.zip", L"close"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScratchFolder folder;
        const std::wstring dir = folder.path() + L"\\";
        if (c.zip) folder.WriteFile(L"resources.zip", "not a zip");
        if (c.updateFolder) ::CreateDirectoryW(folder.Child(L"update").c_str(), nullptr);
        ArchiveHooks hooks;
        hooks.opens = c.opens;
        // The test executable embeds no archive, so the fallback finds none.
        EXPECT_EQ(LoadUiResourceArchive(dir, hooks.Services()), UiArchive::kNone);
        std::vector<std::wstring> want;
        for (std::wstring call : c.calls) {
            if (const auto at = call.find(L"{dir}"); at != std::wstring::npos) call.replace(at, 5, dir);
            want.push_back(call);
        }
        EXPECT_EQ(hooks.calls, want);
    }
}

}  // namespace
