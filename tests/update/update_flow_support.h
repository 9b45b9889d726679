#pragma once

// The world of the update-flow tests: a scratch launcher folder made current (update\, save\,
// the game folder game\ and the served folder www\), the test server, a stand-in UI thread
// whose main window records messages and whose message boxes are recorded and answered at once,
// and a stand-in worker thread that runs the launcher's worker tick over the real states and
// the real download manager.

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/ui_seam.h"
#include "app/version_map.h"
#include "tests/support/test_server.h"

namespace uptest {

// name ('/'-separated) -> bytes.
using FileSet = std::map<std::string, std::string>;

std::string Md5Of(const std::string& bytes);
// Writes bytes to path (UTF-8, '/' or '\'), creating its folder.
void WriteBytes(const std::string& path, const std::string& bytes);
// The file's bytes; empty when it cannot be read.
std::string ReadBytes(const std::string& path);
bool FileExists(const std::string& path);
// The version map of files (MD5 and size of each).
VersionMap MapOf(const FileSet& files);
// The flat layout that servers publish: every file an entry, the version in the "md5" of an
// entry named "version" (none when version is empty).
std::string FlatMapText(const std::string& version, const VersionMap& map);
// bytes with every 97th byte changed: the same size, another MD5.
std::string Changed(const std::string& bytes, unsigned salt = 1);
// A patch file that turns old into new (same size): one add span of their byte differences.
std::string PatchBetween(const std::string& oldBytes, const std::string& newBytes);

// One message the stand-in main window received.
struct Message {
    UINT message;
    std::int64_t w;
    std::int64_t l;
};

class UpdateFlowTest : public ::testing::Test {
protected:
    UpdateFlowTest();
    ~UpdateFlowTest() override;
    void SetUp() override;
    void TearDown() override;

    // Serves files and a version map of them as the remote game.
    void Publish(const std::string& version, const FileSet& files);
    // Installs files and their version map into the game folder.
    void Install(const std::string& version, const FileSet& files);
    // Answers every request to path (e.g. "/b0/version_map.txt") with body, verbatim.
    void ServeRaw(const std::string& path, const std::string& body);
    // The gate's answer to get/urls and the pre-download answer, verbatim.
    void SetGateAnswer(const std::string& body);
    void SetPreDownloadAnswer(const std::string& body);
    // {"DlcAddr": [urls...]} as JSON text.
    static std::string GateAnswerWith(const std::vector<std::string>& dlcAddr);

    // Posts to the worker, or to the UI thread, and waits until it has run.
    void RunOnWorker(const std::function<void()>& task);
    void RunOnUi(const std::function<void()>& task);
    // Waits (bounded) until the state machine rests (enter-game or exception state) after what was
    // posted so far, and the UI thread has taken every message and box sent until then.
    int WaitUntilResting();
    // Starts a game update as the main window does and waits until it rests; the resting type.
    int RunGameUpdate();
    // Waits (bounded) until pred holds, checking on the worker thread.
    bool WaitOnWorker(const std::function<bool()>& pred, std::chrono::milliseconds limit = std::chrono::seconds(60));

    std::vector<Message> Messages(UINT message) const;
    std::vector<MessageBoxContent> Boxes() const;
    // Request paths the server received that start with prefix (e.g. "/b0/").
    std::vector<std::string> RequestPaths(const std::string& prefix);

    std::string GamePath(const std::string& name) const { return gameDir_ + "\\" + name; }

    std::wstring root_;
    std::string gameDir_;
    TestServer server_;
    int boxAnswer_ = 0;  // what every message box answers

private:
    struct Threads;
    std::unique_ptr<Threads> threads_;
    std::wstring previousDir_;
};

}  // namespace uptest
