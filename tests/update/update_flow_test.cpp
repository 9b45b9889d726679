// The update states end to end on the worker: real states, the real download manager, the test
// server as gate and content server, and a recording stand-in for the main window.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/file_util.h"
#include "app/launcher_context.h"
#include "app/launcher_messages.h"
#include "base/path_util.h"
#include "base/timer_resolution.h"
#include "base/unique_handle.h"
#include "download/download_manager.h"
#include "tests/update/patch_test_support.h"
#include "tests/update/update_flow_support.h"
#include "update/check_version_state.h"
#include "update/enter_game_state.h"
#include "update/exception_state.h"
#include "update/gate_answer.h"
#include "update/state.h"

namespace uptest {
namespace {

// A small game: a stand-in executable, a file in a subfolder, and one over a download range.
FileSet GameV1() {
    return {
        {"KORU.exe", patchtest::RandomBytes(20000, 1)},
        {"KORU_Data/level0", patchtest::RandomBytes(300000, 2)},
        {"KORU_Data/big.assets", patchtest::RandomBytes(3 * 1024 * 1024 + 17, 3)},
    };
}

bool Contains(const std::vector<std::string>& paths, const std::string& path) {
    return std::find(paths.begin(), paths.end(), path) != paths.end();
}

using UpdateFlow = UpdateFlowTest;

// The game files as published, its map promoted and read back, no work files left behind.
void ExpectInstalled(const std::string& gameDir, const std::string& version, const FileSet& files) {
    for (const auto& [name, bytes] : files) {
        EXPECT_EQ(Md5Of(ReadBytes(gameDir + "\\" + name)), Md5Of(bytes)) << name;
    }
    EXPECT_FALSE(FileExists(gameDir + "\\tmp_version_map.txt"));
    EXPECT_FALSE(FileExists(".\\update\\apply_list.txt"));
    EXPECT_EQ(LauncherContext::Instance()->localGameVersion.Get(), version);
}

TEST_F(UpdateFlow, FreshInstallDownloadsAndAppliesEveryFile) {
    const FileSet game = GameV1();
    Publish("1_0_1", game);
    SetGateAnswer(GateAnswerWith({server_.BaseUrl(0)}));

    ASSERT_EQ(RunGameUpdate(), kEnterGameStateType);

    ExpectInstalled(gameDir_, "1_0_1", game);
    // Check progress: the remote map at 95, the difference at 100; the apply ends at 100.
    std::vector<std::int64_t> percents;
    for (const Message& m : Messages(kMsgCheckProgress)) percents.push_back(m.l);
    ASSERT_GE(percents.size(), 3u);
    EXPECT_EQ(percents[0], 95);
    EXPECT_EQ(percents[1], 100);
    EXPECT_EQ(percents.back(), 100);
    std::int64_t total = 0;
    for (const auto& [name, bytes] : game) total += static_cast<std::int64_t>(bytes.size());
    const std::vector<Message> bytes = Messages(kMsgDownloadProgress);
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes.front().w, total);
    // Without an installed version there is no patch folder to look at.
    EXPECT_TRUE(Contains(RequestPaths("/b0/"), "/b0/patchs//KORU.exe.patch"));
    EXPECT_FALSE(Contains(RequestPaths("/b0/"), "/b0/patchs//patch_list.txt"));
    // The fine timer that the downloads and the apply asked for is handed back.
    RunOnWorker([] { DownloadManager::Instance().Tick(); });
    EXPECT_EQ(kbase::TimerResolutionRequest::HeldCount(), 0);
}

TEST_F(UpdateFlow, UpdateFetchesPatchesWhereListedAndWholeFilesElsewhere) {
    const FileSet v1 = GameV1();
    FileSet v2 = v1;
    v2["KORU_Data/big.assets"] = Changed(v1.at("KORU_Data/big.assets"));
    v2["KORU_Data/level0"] = Changed(v1.at("KORU_Data/level0"), 2);
    Install("1_0_1", v1);
    Publish("1_0_2", v2);
    const std::string patch = PatchBetween(v1.at("KORU_Data/big.assets"), v2.at("KORU_Data/big.assets"));
    const std::string www = ".\\www\\patchs\\1_0_1\\";
    WriteBytes(www + "KORU_Data\\big.assets.patch", patch);
    WriteBytes(www + "KORU.exe.patch", "present");
    WriteBytes(www + "patch_list.txt",
               FlatMapText("", {{"KORU_Data/big.assets", {Md5Of(patch), static_cast<std::int64_t>(patch.size())}}}));
    SetGateAnswer(GateAnswerWith({server_.BaseUrl(0)}));

    ASSERT_EQ(RunGameUpdate(), kEnterGameStateType);

    ExpectInstalled(gameDir_, "1_0_2", v2);
    const std::vector<std::string> fetched = RequestPaths("/b0/");
    EXPECT_TRUE(Contains(fetched, "/b0/patchs/1_0_1/KORU_Data/big.assets.patch"));
    EXPECT_FALSE(Contains(fetched, "/b0/KORU_Data/big.assets"));
    EXPECT_TRUE(Contains(fetched, "/b0/KORU_Data/level0"));
    EXPECT_FALSE(Contains(fetched, "/b0/KORU.exe"));
    EXPECT_FALSE(FileExists(".\\update\\KORU_Data\\big.assets.patch"));
}

// A patch fits only the file it was made from: an installed file that was changed or removed
// since its map was written is fetched whole, in an update and in a repair alike.
TEST_F(UpdateFlow, AChangedOrMissingInstalledFileIsFetchedWholeInsteadOfPatched) {
    const FileSet v1 = GameV1();
    FileSet v2 = v1;
    v2["KORU_Data/big.assets"] = Changed(v1.at("KORU_Data/big.assets"));
    v2["KORU_Data/level0"] = Changed(v1.at("KORU_Data/level0"), 2);
    const std::string www = ".\\www\\patchs\\1_0_1\\";
    VersionMap patchList;
    for (const char* name : {"KORU_Data/big.assets", "KORU_Data/level0"}) {
        const std::string patch = PatchBetween(v1.at(name), v2.at(name));
        WriteBytes(www + name + ".patch", patch);
        patchList[name] = {Md5Of(patch), static_cast<std::int64_t>(patch.size())};
    }
    WriteBytes(www + "KORU.exe.patch", "present");
    WriteBytes(www + "patch_list.txt", FlatMapText("", patchList));
    struct Case {
        const char* name;
        bool repair;
    } const cases[] = {{"update", false}, {"repair", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Install("1_0_1", v1);
        Publish("1_0_2", v2);
        WriteBytes(GamePath("KORU_Data\\big.assets"), Changed(v1.at("KORU_Data/big.assets"), 5));
        ::DeleteFileW((root_ + L"\\game\\KORU_Data\\level0").c_str());
        ASSERT_TRUE(server_.Reset());
        SetGateAnswer(GateAnswerWith({server_.BaseUrl(0)}));

        if (c.repair) {
            RunOnWorker([] { LauncherContext::Instance()->ResetGameFiles(); });
            ASSERT_EQ(WaitUntilResting(), kEnterGameStateType);
        } else {
            ASSERT_EQ(RunGameUpdate(), kEnterGameStateType);
        }

        ExpectInstalled(gameDir_, "1_0_2", v2);
        const std::vector<std::string> fetched = RequestPaths("/b0/");
        EXPECT_TRUE(Contains(fetched, "/b0/KORU_Data/big.assets"));
        EXPECT_TRUE(Contains(fetched, "/b0/KORU_Data/level0"));
        EXPECT_FALSE(Contains(fetched, "/b0/patchs/1_0_1/KORU_Data/big.assets.patch"));
    }
}

// Version-map keys are UTF-8 everywhere: files with CJK and accented names install beside an
// ASCII-named one, a second check fetches nothing, an update patches one and replaces the other,
// and a repair fetches the damaged one again.
TEST_F(UpdateFlow, NonAsciiNamesInstallCheckCleanUpdateAndRepair) {
    const std::string cjk = "\xE8\xA7\x92\xE8\x89\xB2/\xE7\xAB\x8B\xE7\xB9\xAA 02.png";  // a CJK folder and name
    const std::string accented = "\xC3\xBC" "ber/gr\xC3\xB6\xC3\x9F" "e.txt";
    const std::string cjkUrl = "%E8%A7%92%E8%89%B2/%E7%AB%8B%E7%B9%AA%2002.png";
    const std::string accentedUrl = "%C3%BCber/gr%C3%B6%C3%9Fe.txt";
    const FileSet v1 = {
        {"KORU.exe", patchtest::RandomBytes(20000, 1)},
        {cjk, patchtest::RandomBytes(40000, 2)},
        {accented, patchtest::RandomBytes(3000, 3)},
    };
    Publish("1_0_1", v1);
    SetGateAnswer(GateAnswerWith({server_.BaseUrl(0)}));
    ASSERT_EQ(RunGameUpdate(), kEnterGameStateType);
    ExpectInstalled(gameDir_, "1_0_1", v1);
    EXPECT_TRUE(Contains(RequestPaths("/b0/"), "/b0/" + cjkUrl));

    ASSERT_TRUE(server_.Reset());
    SetGateAnswer(GateAnswerWith({server_.BaseUrl(0)}));
    ASSERT_EQ(RunGameUpdate(), kEnterGameStateType);
    for (const std::string& path : RequestPaths("/b0/")) {
        EXPECT_EQ(path, "/b0/version_map.txt") << "the second check fetches no file";
    }

    FileSet v2 = v1;
    v2[cjk] = Changed(v1.at(cjk));
    v2[accented] = Changed(v1.at(accented));
    const std::string patch = PatchBetween(v1.at(cjk), v2.at(cjk));
    WriteBytes(".\\www\\patchs\\1_0_1\\" + cjk + ".patch", patch);
    WriteBytes(".\\www\\patchs\\1_0_1\\KORU.exe.patch", "present");
    WriteBytes(".\\www\\patchs\\1_0_1\\patch_list.txt",
               FlatMapText("", {{cjk, {Md5Of(patch), static_cast<std::int64_t>(patch.size())}}}));
    Publish("1_0_2", v2);
    ASSERT_TRUE(server_.Reset());
    SetGateAnswer(GateAnswerWith({server_.BaseUrl(0)}));
    ASSERT_EQ(RunGameUpdate(), kEnterGameStateType);
    ExpectInstalled(gameDir_, "1_0_2", v2);
    std::vector<std::string> fetched = RequestPaths("/b0/");
    EXPECT_TRUE(Contains(fetched, "/b0/patchs/1_0_1/" + cjkUrl + ".patch"));
    EXPECT_TRUE(Contains(fetched, "/b0/" + accentedUrl));
    EXPECT_FALSE(Contains(fetched, "/b0/" + cjkUrl));

    WriteBytes(GamePath(cjk), Changed(v2.at(cjk), 7));
    ASSERT_TRUE(server_.Reset());
    SetGateAnswer(GateAnswerWith({server_.BaseUrl(0)}));
    RunOnWorker([] { LauncherContext::Instance()->ResetGameFiles(); });
    ASSERT_EQ(WaitUntilResting(), kEnterGameStateType);
    ExpectInstalled(gameDir_, "1_0_2", v2);
    fetched = RequestPaths("/b0/");
    EXPECT_TRUE(Contains(fetched, "/b0/" + cjkUrl));
    EXPECT_FALSE(Contains(fetched, "/b0/" + accentedUrl));
}

TEST_F(UpdateFlow, RepairRefetchesOnlyTheDamagedFile) {
    const FileSet game = GameV1();
    Install("1_0_1", game);
    Publish("1_0_1", game);
    SetGateAnswer(GateAnswerWith({server_.BaseUrl(0)}));
    WriteBytes(GamePath("KORU_Data\\level0"), Changed(game.at("KORU_Data/level0")));

    // The settings window's repair: forget the map, so that every file is hashed.
    RunOnWorker([] { LauncherContext::Instance()->ResetGameFiles(); });
    ASSERT_EQ(WaitUntilResting(), kEnterGameStateType);

    ExpectInstalled(gameDir_, "1_0_1", game);
    const std::vector<std::string> fetched = RequestPaths("/b0/");
    EXPECT_TRUE(Contains(fetched, "/b0/KORU_Data/level0"));
    EXPECT_FALSE(Contains(fetched, "/b0/KORU_Data/big.assets"));
    EXPECT_FALSE(Contains(fetched, "/b0/KORU.exe"));
}

TEST_F(UpdateFlow, PreDownloadedFilesAreAdoptedByTheUpdate) {
    const FileSet v1 = GameV1();
    FileSet v2 = v1;
    v2["KORU_Data/level0"] = Changed(v1.at("KORU_Data/level0"));
    // Two new files with equal content: the pre-download keeps them as one file.
    v2["KORU_Data/copy1.bin"] = patchtest::RandomBytes(50000, 9);
    v2["KORU_Data/copy2.bin"] = v2["KORU_Data/copy1.bin"];
    Install("1_0_1", v1);
    Publish("1_0_2", v2);
    SetPreDownloadAnswer("{\"info\": \"{\\\"TW_pc_addr\\\": [\\\"" + server_.Url("/p0/") + "\\\"]}\"}");
    SetGateAnswer(GateAnswerWith({server_.BaseUrl(0)}));

    LauncherContext* context = LauncherContext::Instance();
    context->predownloadRequested = true;
    RunOnWorker([context] { context->StartPreDownload(); });
    RunOnWorker([] {});  // the start is itself a posted task
    ASSERT_TRUE(WaitOnWorker([context] { return !context->preDownloadState; }));

    const std::string folder = ".\\update\\predownload\\1_0_2\\";
    EXPECT_TRUE(FileExists(folder + "predownload_version_map.txt"));
    EXPECT_TRUE(FileExists(folder + Md5Of(v2.at("KORU_Data/level0"))));
    EXPECT_TRUE(FileExists(folder + Md5Of(v2.at("KORU_Data/copy1.bin"))));
    const std::vector<std::string> preFetched = RequestPaths("/p0/");
    EXPECT_EQ(std::count(preFetched.begin(), preFetched.end(), "/p0/KORU_Data/copy1.bin") +
                  std::count(preFetched.begin(), preFetched.end(), "/p0/KORU_Data/copy2.bin"),
              1);
    EXPECT_FALSE(Contains(preFetched, "/p0/KORU.exe"));

    ASSERT_TRUE(server_.Reset());
    SetGateAnswer(GateAnswerWith({server_.BaseUrl(0)}));
    ASSERT_EQ(RunGameUpdate(), kEnterGameStateType);

    ExpectInstalled(gameDir_, "1_0_2", v2);
    const std::vector<std::string> fetched = RequestPaths("/b0/");
    for (const char* name : {"/b0/KORU_Data/level0", "/b0/KORU_Data/copy1.bin", "/b0/KORU_Data/copy2.bin"}) {
        EXPECT_FALSE(Contains(fetched, name)) << name;
    }
}

TEST_F(UpdateFlow, ApplyInterruptedMidWayResumesWithoutInstallingGarbage) {
    const FileSet v1 = GameV1();
    FileSet v2 = v1;
    v2["KORU_Data/big.assets"] = Changed(v1.at("KORU_Data/big.assets"));
    v2["KORU_Data/new.bin"] = patchtest::RandomBytes(4000, 7);
    Install("1_0_1", v1);
    Publish("1_0_2", v2);
    const std::string patch = PatchBetween(v1.at("KORU_Data/big.assets"), v2.at("KORU_Data/big.assets"));
    WriteBytes(".\\www\\patchs\\1_0_1\\KORU_Data\\big.assets.patch", patch);
    WriteBytes(".\\www\\patchs\\1_0_1\\KORU.exe.patch", "present");
    WriteBytes(".\\www\\patchs\\1_0_1\\patch_list.txt",
               FlatMapText("", {{"KORU_Data/big.assets", {Md5Of(patch), static_cast<std::int64_t>(patch.size())}}}));
    SetGateAnswer(GateAnswerWith({server_.BaseUrl(0)}));
    // A folder where a new file goes stops the first apply after the patched file went in.
    ASSERT_TRUE(CreateDirectories(GamePath("KORU_Data\\new.bin")));

    ASSERT_EQ(RunGameUpdate(), kExceptionStateType);
    EXPECT_EQ(Md5Of(ReadBytes(GamePath("KORU_Data\\big.assets"))), Md5Of(v2.at("KORU_Data/big.assets")));
    const std::vector<MessageBoxContent> boxes = Boxes();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().detail.text, L"Apply Failed( KORU_Data/new.bin )");

    // As if killed before the apply list was written, with a half-written patch output left.
    ::DeleteFileW(L".\\update\\apply_list.txt");
    WriteBytes(".\\update\\KORU_Data\\big.assets", "half written");
    ::RemoveDirectoryW(std::wstring(root_ + L"\\game\\KORU_Data\\new.bin").c_str());

    ASSERT_EQ(RunGameUpdate(), kEnterGameStateType);
    ExpectInstalled(gameDir_, "1_0_2", v2);
}

// Another process reading the installed map keeps it from being replaced: the install is
// committed once the reader lets go, and fails (resumable) rather than passing for done when
// the reader holds on; a check that finds nothing left to fetch keeps the pending map then.
TEST_F(UpdateFlow, AnInstalledMapHeldByAReaderDelaysOrFailsTheCommitNeverSkipsIt) {
    const FileSet v1 = GameV1();
    FileSet v2 = v1;
    v2["KORU_Data/level0"] = Changed(v1.at("KORU_Data/level0"));
    Install("1_0_1", v1);
    Publish("1_0_2", v2);
    SetGateAnswer(GateAnswerWith({server_.BaseUrl(0)}));
    const std::wstring map = kbase::WidePath(GamePath("version_map.txt"));
    const auto holdMap = [&map] {
        return kbase::ScopedFileHandle(::CreateFileW(map.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    };

    // Held until every file is in and the commit waits.
    kbase::ScopedFileHandle reader = holdMap();
    ASSERT_TRUE(reader);
    RunOnWorker([] { LauncherContext::Instance()->StartGameUpdate(false, false); });
    ASSERT_TRUE(WaitOnWorker([] {
        return LauncherContext::Instance()->CurrentStateType() == kApplyUpdateStateType &&
               FileExists(".\\update\\apply_list.txt");
    }));
    reader.Reset();
    ASSERT_EQ(WaitUntilResting(), kEnterGameStateType);
    ExpectInstalled(gameDir_, "1_0_2", v2);

    // Held throughout.
    FileSet v3 = v2;
    v3["KORU.exe"] = Changed(v2.at("KORU.exe"));
    Publish("1_0_3", v3);
    reader = holdMap();
    ASSERT_TRUE(reader);
    ASSERT_EQ(RunGameUpdate(), kExceptionStateType);
    const std::vector<MessageBoxContent> boxes = Boxes();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().detail.text, L"Apply Failed( version_map.txt )");
    EXPECT_EQ(LauncherContext::Instance()->localGameVersion.Get(), "1_0_2");
    EXPECT_TRUE(FileExists(GamePath("tmp_version_map.txt")));

    // A retry finds every file applied and only commits; while the reader holds on, it keeps
    // what the commit needs.
    ASSERT_EQ(RunGameUpdate(), kEnterGameStateType);
    EXPECT_EQ(LauncherContext::Instance()->localGameVersion.Get(), "1_0_2");
    EXPECT_TRUE(FileExists(GamePath("tmp_version_map.txt")));
    EXPECT_TRUE(FileExists(".\\update\\apply_list.txt"));
    reader.Reset();
    ASSERT_TRUE(server_.Reset());
    SetGateAnswer(GateAnswerWith({server_.BaseUrl(0)}));
    ASSERT_EQ(RunGameUpdate(), kEnterGameStateType);
    ExpectInstalled(gameDir_, "1_0_3", v3);
    EXPECT_FALSE(Contains(RequestPaths("/b0/"), "/b0/KORU.exe"));
}

TEST_F(UpdateFlow, GarbageGateAnswerIsShownOrSavedByLength) {
    struct Case {
        std::size_t length;
        bool saved;
    } const cases[] = {{kMaxShownAnswerBytes, false}, {kMaxShownAnswerBytes + 1, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        ::DeleteFileW(L".\\exception\\response.txt");
        const std::string garbage(c.length, 'x');
        SetGateAnswer(garbage);

        ASSERT_EQ(RunGameUpdate(), kExceptionStateType);

        const std::vector<MessageBoxContent> boxes = Boxes();
        ASSERT_FALSE(boxes.empty());
        const std::wstring& detail = boxes.back().detail.text;
        EXPECT_EQ(detail.find(L"Parse Failed:"), 0u) << detail;
        if (c.saved) {
            EXPECT_NE(detail.find(L"(The information has been saved to file:exception/response.txt)"),
                      std::wstring::npos);
            EXPECT_EQ(ReadBytes(".\\exception\\response.txt"), garbage);
        } else {
            EXPECT_NE(detail.find(std::wstring(L"(") + std::wstring(c.length, L'x') + L")"), std::wstring::npos);
            EXPECT_FALSE(FileExists(".\\exception\\response.txt"));
        }
    }
}

TEST_F(UpdateFlow, EveryBaseUrlFailingShowsCodeMessageAndPath) {
    Publish("1_0_1", GameV1());
    ASSERT_TRUE(server_.SetFault("{\"path\": \"/b1/version_map.txt\", \"status\": 500}"));
    const std::string closed = "http://127.0.0.1:" + std::to_string(server_.ClosedPort()) + "/b0/";
    SetGateAnswer(GateAnswerWith({closed, server_.BaseUrl(1)}));

    ASSERT_EQ(RunGameUpdate(), kExceptionStateType);

    const std::vector<MessageBoxContent> boxes = Boxes();
    ASSERT_FALSE(boxes.empty());
    const MessageBoxContent& box = boxes.back();
    EXPECT_EQ(box.message.text, L"STRING_ERROR_UPDATE");
    EXPECT_EQ(box.firstButton, L"STRING_CANCEL");
    EXPECT_EQ(box.secondButton, L"STRING_ERROR_RETRY");
    const std::wstring& detail = box.detail.text;
    EXPECT_EQ(detail.find(L"-2\nRequest Failed:"), 0u) << detail;
    EXPECT_NE(detail.find(L"(version_map.txt"), std::wstring::npos) << detail;
    EXPECT_FALSE(FileExists(GamePath("KORU.exe")));
}

TEST_F(UpdateFlow, MapWithAPathOutsideTheGameFolderIsRefused) {
    for (const char* key : {"../escaped.bin", "KORU_Data/../../escaped.bin", "C:/escaped.bin"}) {
        SCOPED_TRACE(key);
        Publish("1_0_1", GameV1());
        // The map is served verbatim: the publisher's own writer refuses such keys.
        WriteBytes(".\\www\\version_map.txt",
                   "{\"version\": \"1_0_1\", \"list\": {\"KORU.exe\": {\"md5\": \"" + Md5Of(GameV1().at("KORU.exe")) +
                       "\", \"size\": 20000}, \"" + key + "\": {\"md5\": \"" + Md5Of("x") + "\", \"size\": 1}}}");
        WriteBytes(".\\www\\escaped.bin", "x");
        SetGateAnswer(GateAnswerWith({server_.BaseUrl(0)}));

        ASSERT_EQ(RunGameUpdate(), kExceptionStateType);

        const std::vector<MessageBoxContent> boxes = Boxes();
        ASSERT_FALSE(boxes.empty());
        EXPECT_EQ(boxes.back().detail.text.find(L"Load Failed:"), 0u) << boxes.back().detail.text;
        EXPECT_FALSE(FileExists(".\\escaped.bin"));
        EXPECT_FALSE(FileExists(".\\update\\escaped.bin"));
        EXPECT_FALSE(FileExists(GamePath("KORU.exe")));
    }
}

TEST_F(UpdateFlow, DiskSpaceContinueActsOnlyWhileItsRefusalIsCurrent) {
    LauncherContext* context = LauncherContext::Instance();
    for (const bool replacedFirst : {false, true}) {
        SCOPED_TRACE(replacedFirst);
        std::weak_ptr<kbase::WeakFlag> refusal;
        RunOnWorker([&refusal] {
            auto refused = std::make_unique<ExceptionState>(0, "", "", false);
            refusal = refused->ObtainWeakFlag();
            LauncherContext::Instance()->SetState(std::move(refused));
        });
        // The user starts something else before answering the box.
        if (replacedFirst) RunOnWorker([] { LauncherContext::Instance()->SetState(std::make_unique<EnterGameState>()); });

        MakeDiskSpaceContinue(refusal, "")(1);  // the box's callback, as on the UI thread
        RunOnWorker([] {});  // the continue posts its work to the worker

        if (replacedFirst) {
            EXPECT_EQ(context->CurrentStateType(), kEnterGameStateType);
        } else {
            EXPECT_TRUE(refusal.expired());  // replaced by the fetch it started
        }
    }
}

// Confirming the restart for a launcher update ends the launcher as the tray's exit does (2028),
// whatever closing the window would do, and asks the exit to start it again; a forced update
// restarts on any answer.
TEST_F(UpdateFlow, ConfirmedRestartPromptExitsTheLauncherToRestartIt) {
    struct Case {
        bool forced;
        int answer;
        bool exits;
    } const cases[] = {{false, 1, true}, {false, 0, false}, {true, 0, true}};
    LauncherContext* context = LauncherContext::Instance();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "forced " << c.forced << ", answer " << c.answer);
        boxAnswer_ = c.answer;
        const std::size_t exitsBefore = Messages(kMsgExitLauncher).size();
        RunOnWorker([context, forced = c.forced] {
            context->SetState(nullptr);
            context->restartAfterExit = false;
            context->forceLauncherUpdate = forced;
            context->fontFilesPending = true;
            context->showLauncherUpdatePrompt = true;
            context->SetState(std::make_unique<EnterGameState>());
        });
        ASSERT_EQ(WaitUntilResting(), kEnterGameStateType);

        EXPECT_EQ(Boxes().back().message.text, L"STRING_UPDATE_LAUNCHER");
        EXPECT_EQ(Messages(kMsgExitLauncher).size() - exitsBefore, c.exits ? 1u : 0u);
        EXPECT_EQ(context->restartAfterExit, c.exits);
        EXPECT_TRUE(context->fontFilesPending) << "left for the exit to install";
        EXPECT_FALSE(context->showLauncherUpdatePrompt) << "asked once";
    }
}

}  // namespace
}  // namespace uptest
