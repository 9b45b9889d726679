// The launcher's own check on the worker of the update-flow world, whose working folder is the
// launcher's folder: prepare, remote map, check, downloads and the launcher-mode apply pass.
#include <list>
#include <string>

#include <gtest/gtest.h>
#include <json/json.h>

#include "app/json_util.h"
#include "app/launcher_context.h"
#include "app/launcher_messages.h"
#include "tests/update/patch_test_support.h"
#include "tests/update/update_flow_support.h"

namespace uptest {
namespace {

using LauncherUpdate = UpdateFlowTest;

// The launcher's gate answer: its options as JSON text under "Others".
std::string LauncherGateAnswer(const std::string& dlcAddr) {
    Json::Value options;
    options["DlcAddr"].append(dlcAddr);
    options["PatchOption"] = 0;
    Json::StreamWriterBuilder writer;
    Json::Value answer;
    answer["Others"] = Json::writeString(writer, options);
    return Json::writeString(writer, answer);
}

std::list<std::string> ListedPaths(const std::string& listFile) {
    std::list<std::string> paths;
    EXPECT_TRUE(ReadStringListFile(listFile, paths)) << listFile;
    return paths;
}

// What a running launcher cannot replace waits in update\ with its lists and flags; the rest is
// copied into place, the skin archive's change reloads the UI, the map is promoted, and the
// resting state then asks to restart.
TEST_F(LauncherUpdate, ThePassInstallsWhatItCanAndLeavesTheRestForTheCopy) {
    const FileSet installed = {
        {"launcher.exe", patchtest::RandomBytes(5000, 1)},
        {"resources.zip", patchtest::RandomBytes(3000, 2)},
        {"LomaN.ttf", patchtest::RandomBytes(2000, 3)},
        {"cef/libcef.dll", patchtest::RandomBytes(4000, 4)},
    };
    FileSet published;
    for (const auto& [name, bytes] : installed) published[name] = Changed(bytes);
    published["readme.txt"] = "new file\n";
    for (const auto& [name, bytes] : installed) WriteBytes(".\\" + name, bytes);
    WriteBytes(".\\launcher_version_map.txt", FlatMapText("1.0.0", MapOf(installed)));
    for (const auto& [name, bytes] : published) WriteBytes(".\\www\\" + name, bytes);
    WriteBytes(".\\www\\launcher_version_map.txt", FlatMapText("1.0.1", MapOf(published)));
    SetGateAnswer(LauncherGateAnswer(server_.BaseUrl(0)));
    LauncherContext* context = LauncherContext::Instance();

    RunOnWorker([context] { context->StartLauncherUpdate(); });
    ASSERT_EQ(WaitUntilResting(), kEnterGameStateType);

    for (const char* name : {"resources.zip", "readme.txt"}) {
        EXPECT_EQ(ReadBytes(std::string(".\\") + name), published.at(name)) << name;
    }
    for (const char* name : {"launcher.exe", "LomaN.ttf", "cef/libcef.dll"}) {
        EXPECT_EQ(ReadBytes(std::string(".\\") + name), installed.at(name)) << name << " stays until the exit";
        EXPECT_EQ(ReadBytes(std::string(".\\update\\") + name), published.at(name)) << name;
    }
    EXPECT_EQ(ListedPaths(".\\update\\cef_update.txt"), std::list<std::string>{"cef/libcef.dll"});
    EXPECT_EQ(ListedPaths(".\\update\\font_update.txt"), std::list<std::string>{"LomaN.ttf"});
    EXPECT_TRUE(context->launcherExeUpdated);
    EXPECT_TRUE(context->cefFilesPending);
    EXPECT_TRUE(context->fontFilesPending);
    EXPECT_EQ(context->uiResourcesChanged, 0) << "the UI was reloaded";
    EXPECT_EQ(context->launcherVersion.Get(), "1.0.1");
    EXPECT_FALSE(FileExists(".\\tmp_launcher_version_map.txt"));
    ASSERT_FALSE(Boxes().empty());
    EXPECT_EQ(Boxes().back().message.text, L"STRING_UPDATE_LAUNCHER");
}

}  // namespace
}  // namespace uptest
