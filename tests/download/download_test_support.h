#pragma once

// Shared pieces of the download-manager tests: a scratch working folder (the manager writes
// save\dltrace.log relative to it), served files with known MD5s, the test server and its
// request log, a recorder of the manager's done callbacks, and a stand-in main window that
// records the messages it is sent.

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "download/download_manager.h"
#include "tests/support/test_server.h"

namespace dltest {

// The test's working folder: a fresh folder with save\ and www\ (what the server serves),
// made current for the test's length and removed afterwards.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::wstring& path() const { return path_; }
    std::wstring WwwDir() const { return path_ + L"\\www"; }

private:
    std::wstring path_;
    std::wstring previous_;
};

// Writes size pseudo-random bytes (seeded) to file (a path relative to the working folder) and
// returns their MD5.
std::string WriteTestFile(const std::string& file, std::int64_t size, unsigned seed = 1);
// The file's bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::string& file);
bool FileExists(const std::string& file);
// MD5 of a file, empty when it cannot be read.
std::string FileMd5(const std::string& file);
// The trace log of the manager running in the working folder.
std::string ReadTrace();

// One request the server received.
struct LoggedRequest {
    std::string method, path, query, range, userAgent, contentType, body;
};
std::vector<LoggedRequest> ParseRequestLog(const std::string& json);

// What a done callback reported.
struct DoneEvent {
    int tag = 0;
    int code = 0;
    std::string url;
    std::string message;
};

// Collects the manager's file, request and probe callbacks (plain function pointers, so the
// recorder is process-wide); Clear() between cases.
class Callbacks {
public:
    static void Clear();
    static std::vector<DoneEvent> Files();
    static void OnFileDone(int tag, DownloadResult result, std::string url, std::string message);

    struct RequestEvent {
        int code = 0;
        std::string url;
        std::string body;
        std::string error;
        bool exists = false;
    };
    static std::vector<RequestEvent> Requests();
    static void OnRequestDone(int tag, DownloadResult result, std::string url, const char* body, int length, std::string error);
    static void OnProbeDone(int tag, DownloadResult result, std::string url, bool exists, std::string error);
};

// Runs step until done() or the time limit; true when done() became true.
bool RunUntil(const std::function<void()>& step, const std::function<bool()>& done,
              std::chrono::milliseconds limit = std::chrono::seconds(60));

// A stand-in for the main window on a thread registered as the UI thread: records every
// message the launcher context sends it.
class MainWindowRecorder {
public:
    MainWindowRecorder();
    ~MainWindowRecorder();
    MainWindowRecorder(const MainWindowRecorder&) = delete;
    MainWindowRecorder& operator=(const MainWindowRecorder&) = delete;

    struct Message {
        UINT message;
        std::int64_t w;
        std::int64_t l;
    };
    std::vector<Message> Received(UINT message) const;
    // Waits (bounded) until a message of that number with that l has arrived.
    bool WaitFor(UINT message, std::int64_t l, std::chrono::milliseconds limit = std::chrono::seconds(10)) const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

// A scratch folder, a served www\ folder and a manager started on base URL b0.
class DownloadTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Ticks the manager until n file callbacks have arrived; true when they did in time.
    bool TickUntilFiles(std::size_t n, std::chrono::milliseconds limit = std::chrono::seconds(60));
    // The server's log, only the requests whose path ends with suffix.
    std::vector<LoggedRequest> RequestsFor(const std::string& suffix);

    std::unique_ptr<ScratchDir> dir_;
    TestServer server_;
    std::unique_ptr<DownloadManager> manager_;
};

}  // namespace dltest
