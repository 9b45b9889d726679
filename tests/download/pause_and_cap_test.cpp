// Pausing, resuming and capping running transfers, seen in the bytes that arrive and in the
// messages the main window gets.
#include <chrono>

#include <gtest/gtest.h>

#include "app/launcher_context.h"
#include "app/launcher_messages.h"
#include "tests/download/download_test_support.h"

using dltest::Callbacks;
using dltest::DownloadTest;
using dltest::MainWindowRecorder;

namespace {

// Puts the launcher's settings back after the test.
class SettingsRestorer {
public:
    SettingsRestorer() : saved_(LauncherContext::Instance()->settings.Get()) {}
    ~SettingsRestorer() { LauncherContext::Instance()->settings.Set(saved_); }

private:
    LauncherSettings saved_;
};

class PauseAndCap : public DownloadTest {
protected:
    void TickFor(std::chrono::milliseconds period) {
        const auto end = std::chrono::steady_clock::now() + period;
        dltest::RunUntil([this] { manager_->Tick(); }, [end] { return std::chrono::steady_clock::now() > end; });
    }
    void Download(const std::string& name, const std::string& md5, std::int64_t size) {
        manager_->DownloadFile(name, "dl\\" + name, md5, size, &Callbacks::OnFileDone, nullptr, 5);
    }
};

TEST_F(PauseAndCap, NoBytesArriveWhilePaused) {
    MainWindowRecorder window;
    const std::string md5 = dltest::WriteTestFile("www\\slow.bin", 1000000);
    const std::string other = dltest::WriteTestFile("www\\next.bin", 1000, 2);
    ASSERT_TRUE(server_.SetFault(R"({"path":"/*/slow.bin","throttle":250000})"));
    Download("slow.bin", md5, 1000000);
    manager_->totalBytes = 1001000;  // what a batch's starter sets once it has queued the batch
    ASSERT_TRUE(dltest::RunUntil([this] { manager_->Tick(); }, [this] { return manager_->downloadedBytes > 0; }));

    manager_->TogglePause();
    EXPECT_TRUE(manager_->paused);
    ASSERT_TRUE(window.WaitFor(kMsgDownloadPaused, 1));
    Download("next.bin", other, 1000);
    const std::int64_t before = manager_->downloadedBytes;
    manager_->AddSpeedSample(12345.0);  // kept, but no speed goes out while paused
    TickFor(std::chrono::milliseconds(800));
    EXPECT_EQ(manager_->downloadedBytes, before);
    EXPECT_TRUE(RequestsFor("next.bin").empty());  // nothing starts while paused
    EXPECT_EQ(manager_->speedSamples.size(), 1u);

    manager_->TogglePause();  // the second press resumes
    EXPECT_FALSE(manager_->paused);
    ASSERT_TRUE(window.WaitFor(kMsgDownloadPaused, 0));
    EXPECT_TRUE(window.Received(kMsgDownloadSpeed).empty());
    ASSERT_TRUE(TickUntilFiles(2));
    for (const dltest::DoneEvent& done : Callbacks::Files()) EXPECT_EQ(done.code, 0) << done.url;
    EXPECT_EQ(dltest::FileMd5("dl\\slow.bin"), md5);
    // Progress reached the window, the last report covering every byte.
    EXPECT_TRUE(window.WaitFor(kMsgDownloadProgress, 1001000));
    EXPECT_EQ(window.Received(kMsgDownloadProgress).back().w, 1001000);
}

TEST_F(PauseAndCap, APauseLongerThanATryNeverFailsTheDownload) {
    // Paused before its first byte, the try runs into libcurl's time limit; were that counted,
    // a long enough pause would use up every base URL.
    const std::string md5 = dltest::WriteTestFile("www\\late.bin", 1000);
    ASSERT_TRUE(server_.SetFault(R"({"path":"/*/late.bin","delay_ms":3000})"));
    manager_->retriesPerUrl = 1;  // one counted failure would end the download
    manager_->transferTimeoutSeconds = 1;
    Download("late.bin", md5, 1000);
    ASSERT_TRUE(dltest::RunUntil([this] { manager_->Tick(); }, [this] { return !RequestsFor("late.bin").empty(); }));
    manager_->TogglePause();
    TickFor(std::chrono::milliseconds(2500));
    EXPECT_TRUE(Callbacks::Files().empty());

    ASSERT_TRUE(server_.SetFault(R"({"path":"/*/late.bin"})"));
    manager_->TogglePause();
    ASSERT_TRUE(TickUntilFiles(1));
    EXPECT_EQ(Callbacks::Files()[0].code, 0) << Callbacks::Files()[0].message;
    EXPECT_EQ(RequestsFor("late.bin").size(), 2u);
    EXPECT_EQ(dltest::FileMd5("dl\\late.bin"), md5);
}

TEST_F(PauseAndCap, TheCapHoldsAndItsChangeReachesRunningTransfers) {
    SettingsRestorer restore;
    LauncherContext::Instance()->settings.Update([](LauncherSettings& s) {
        s.downloadLimit = true;
        s.downloadSpeed = 100;  // 20400 bytes a second
        s.predlcLimit = false;
    });
    // The server sends 2 MB a second. libcurl lets a first burst through and then holds the
    // average to the cap, so the check looks at a later second.
    const std::int64_t size = 4 << 20;
    const std::string md5 = dltest::WriteTestFile("www\\big.bin", size);
    ASSERT_TRUE(server_.SetFault(R"({"path":"/*/big.bin","throttle":2000000})"));
    Download("big.bin", md5, size);
    TickFor(std::chrono::milliseconds(500));
    const std::int64_t before = manager_->downloadedBytes;
    TickFor(std::chrono::milliseconds(1000));
    EXPECT_LT(manager_->downloadedBytes - before, 1 << 20);
    EXPECT_TRUE(Callbacks::Files().empty());

    LauncherContext::Instance()->settings.Update([](LauncherSettings& s) { s.downloadLimit = false; });
    manager_->AddSpeedSample(1000.0);
    manager_->ApplySpeedLimit(1);  // the pre-download cap: not the one in force
    EXPECT_EQ(manager_->speedSamples.size(), 1u);
    manager_->ApplySpeedLimit(0);
    EXPECT_TRUE(manager_->speedSamples.empty());
    ASSERT_TRUE(TickUntilFiles(1, std::chrono::seconds(30)));
    EXPECT_EQ(Callbacks::Files()[0].code, 0) << Callbacks::Files()[0].message;
    EXPECT_EQ(dltest::FileMd5("dl\\big.bin"), md5);
}

}  // namespace
