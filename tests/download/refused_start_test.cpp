// A range whose start libcurl refuses (curl_multi_add_handle fails): it is tried again on every
// base URL and then reported once as a failed start (-2) with libcurl's reason, never as -1, and
// the transfers already running go on.
#include <string>

#include <gtest/gtest.h>

#include "tests/download/download_test_support.h"

using dltest::Callbacks;
using dltest::DownloadTest;

namespace {

DownloadManager* g_manager = nullptr;
bool g_reentered = false;

// libcurl refuses any start asked for from inside one of its own callbacks: the first progress
// report of the running file queues a second one and starts it from there.
void StartAnotherFromInsideLibcurl(int, double) {
    if (g_reentered) return;
    g_reentered = true;
    g_manager->DownloadFile("second.bin", "dl\\second.bin", "", 1000, &Callbacks::OnFileDone, nullptr, 5);
    g_manager->Tick();
}

using RefusedStart = DownloadTest;

TEST_F(RefusedStart, IsRetriedOnEveryBaseUrlThenReportedAsAFailedStart) {
    const std::string md5 = dltest::WriteTestFile("www\\first.bin", 400000);
    dltest::WriteTestFile("www\\second.bin", 1000, 2);
    ASSERT_TRUE(server_.SetFault(R"({"path":"/*/first.bin","throttle":200000})"));
    manager_->activeUrls = {server_.BaseUrl(0), server_.BaseUrl(1)};
    g_manager = manager_.get();
    g_reentered = false;

    manager_->DownloadFile("first.bin", "dl\\first.bin", md5, 400000, &Callbacks::OnFileDone,
                           &StartAnotherFromInsideLibcurl, 5);
    ASSERT_TRUE(TickUntilFiles(2));

    ASSERT_TRUE(g_reentered);
    const std::vector<dltest::DoneEvent> done = Callbacks::Files();
    EXPECT_EQ(done[0].url, "second.bin");
    EXPECT_EQ(done[0].code, -2);
    EXPECT_EQ(done[0].message.find("curl_multi_add_handle:"), 0u) << done[0].message;
    EXPECT_TRUE(RequestsFor("second.bin").empty());
    EXPECT_EQ(done[1].url, "first.bin");
    EXPECT_EQ(done[1].code, 0) << done[1].message;
    EXPECT_EQ(dltest::FileMd5("dl\\first.bin"), md5);
}

}  // namespace
