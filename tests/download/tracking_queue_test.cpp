// The queue of tracking records: one record per flush, URLs in byte order, FIFO within a URL.
#include <gtest/gtest.h>

#include "tests/download/download_test_support.h"

using dltest::DownloadTest;
using dltest::LoggedRequest;

namespace {

using TrackingQueue = DownloadTest;

std::vector<std::string> SinkBodies(const std::vector<LoggedRequest>& log) {
    std::vector<std::string> bodies;
    for (const LoggedRequest& request : log) {
        if (request.path.rfind("/sink/", 0) == 0) bodies.push_back(request.path + " " + request.body);
    }
    return bodies;
}

TEST_F(TrackingQueue, FlushSendsOneRecordAtATimeSmallestUrlFirst) {
    const std::string a = server_.Url("/sink/a"), b = server_.Url("/sink/b");
    manager_->Track("b1", b, false);
    manager_->Track("a1", a, false);
    manager_->Track("now", b, true);  // sent at once, never queued
    manager_->Track("a2", a, false);
    manager_->Track("b2", b, false);
    EXPECT_EQ(SinkBodies(dltest::ParseRequestLog(server_.Log())), std::vector<std::string>{"/sink/b now"});

    std::vector<std::string> sent;
    for (int i = 0; i < 5; ++i) {
        server_.Reset();
        manager_->FlushTracking();
        for (const std::string& line : SinkBodies(dltest::ParseRequestLog(server_.Log()))) sent.push_back(line);
    }
    // Five flushes for four records: the last finds only empty lists and sends nothing.
    EXPECT_EQ(sent, (std::vector<std::string>{"/sink/a a1", "/sink/a a2", "/sink/b b1", "/sink/b b2"}));
}

TEST_F(TrackingQueue, ShutdownDropsQueuedRecords) {
    manager_->Track("x", server_.Url("/sink/a"), false);
    manager_->Shutdown();
    manager_->FlushTracking();
    EXPECT_TRUE(SinkBodies(dltest::ParseRequestLog(server_.Log())).empty());
}

}  // namespace
