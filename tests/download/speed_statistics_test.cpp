// The speed statistics behind message 2128: the batch speed of the samples, the time left, at
// most one message a second, and the slowest and fastest speeds the telemetry reports.
#include <gtest/gtest.h>

#include "app/launcher_messages.h"
#include "tests/download/download_test_support.h"

using dltest::DownloadTest;
using dltest::MainWindowRecorder;

namespace {

using SpeedStatistics = DownloadTest;

TEST_F(SpeedStatistics, ASampleSendsTheBatchSpeedAndTimeLeftAtMostOnceASecond) {
    MainWindowRecorder window;
    manager_->ResetSpeedStats();
    manager_->totalBytes = 100000;
    manager_->downloadedBytes = 40000;
    manager_->nowTick = 5000;
    manager_->lastProgressFile = "dl\\a.bin";

    manager_->AddSpeedSample(1000.9);  // whole bytes count; no transfer runs, so one is assumed
    ASSERT_TRUE(window.WaitFor(kMsgDownloadSpeed, 1000));
    EXPECT_EQ(window.Received(kMsgDownloadSpeed).back().w, 60);  // 60000 bytes left at 1000 a second
    EXPECT_EQ(manager_->currentSpeed, 1000);
    EXPECT_EQ(manager_->maxSpeed, 1000);

    manager_->nowTick = 5999;
    manager_->AddSpeedSample(3000.0);  // within the second: kept, not sent
    manager_->nowTick = 6000;
    manager_->AddSpeedSample(5000.0);  // mean of the three
    ASSERT_TRUE(window.WaitFor(kMsgDownloadSpeed, 3000));
    EXPECT_EQ(window.Received(kMsgDownloadSpeed).size(), 2u);
    EXPECT_EQ(window.Received(kMsgDownloadSpeed).back().w, 20);
    EXPECT_EQ(manager_->maxSpeed, 3000);

    // The slowest speed counts only once enough samples came in, with the file then moving.
    EXPECT_EQ(manager_->minSpeedFile, "");
    for (int i = 0; i < 30; ++i) manager_->AddSpeedSample(10.0);
    manager_->nowTick = 7000;
    manager_->AddSpeedSample(10.0);
    EXPECT_LT(manager_->minSpeed, 3000);
    EXPECT_EQ(manager_->minSpeed, manager_->currentSpeed);
    EXPECT_EQ(manager_->minSpeedFile, "dl\\a.bin");
}

}  // namespace
