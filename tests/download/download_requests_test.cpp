// Synchronous requests, probes and posts against the test server.
#include <gtest/gtest.h>

#include "tests/download/download_test_support.h"

using dltest::Callbacks;
using dltest::DownloadTest;
using dltest::LoggedRequest;

namespace {

class Requests : public DownloadTest {
protected:
    Callbacks::RequestEvent Only() {
        const auto events = Callbacks::Requests();
        EXPECT_EQ(events.size(), 1u);
        return events.empty() ? Callbacks::RequestEvent{99, "", "", "no callback"} : events.back();
    }
};

TEST_F(Requests, DownloadMemoryChecksTheAnswerAndRetriesFailures) {
    struct Case {
        const char* what;
        std::string fault;       // on /*/answer.txt
        std::string body;        // sent as the request body
        int code;
        std::string url;         // as reported
        std::string answer;      // the body handed over on success
        bool errorEmpty;
        std::size_t requests;    // that reached the server, over two base URLs
    } const cases[] = {
        {"JSON answer", R"("raw":"{\"a\":1}")", "", 0, "answer.txt/", "{\"a\":1}", true, 1},
        {"answer that is not JSON: code 0, the parser's words", R"("raw":"not json")", "", 0, "answer.txt/",
         "not json", false, 1},
        {"POST body", R"("raw":"[]")", "k=v", 0, "answer.txt/k=v", "[]", true, 1},
        {"server error on every try", R"("status":500)", "", -2, "answer.txt/", "", false, 6},
        {"one failure, then an answer", R"("fail_first":1,"raw":"{}")", "", 0, "answer.txt/", "{}", true, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Callbacks::Clear();
        server_.Reset();
        ASSERT_TRUE(server_.SetFault(R"({"path":"/*/answer.txt",)" + c.fault + "}"));
        manager_->activeUrls = {server_.BaseUrl(0), server_.BaseUrl(1)};
        EXPECT_TRUE(manager_->DownloadMemory("answer.txt", c.body, &Callbacks::OnRequestDone, 2));
        const Callbacks::RequestEvent event = Only();
        EXPECT_EQ(event.code, c.code);
        EXPECT_EQ(event.url, c.url);
        if (c.code == 0) {
            EXPECT_EQ(event.body, c.answer);
        } else {
            EXPECT_EQ(event.error, "500");
        }
        EXPECT_EQ(event.error.empty(), c.errorEmpty) << event.error;
        const std::vector<LoggedRequest> requests = RequestsFor("answer.txt");
        EXPECT_EQ(requests.size(), c.requests);
        if (!requests.empty()) {
            EXPECT_EQ(requests[0].userAgent, "libcurl-agent/1.0");
            EXPECT_EQ(requests[0].method, c.body.empty() ? "GET" : "POST");
            EXPECT_EQ(requests[0].body, c.body);
        }
    }
}

TEST_F(Requests, DownloadMemoryFailures) {
    manager_->activeUrls.clear();
    EXPECT_FALSE(manager_->DownloadMemory("a.txt", "", &Callbacks::OnRequestDone, 2));
    EXPECT_EQ(Only().code, -1);
    EXPECT_EQ(Only().error, "DownloadMemory URL is empty");

    // A refused connection is libcurl's text; an answer beyond the cap fails its try.
    Callbacks::Clear();
    manager_->activeUrls = {"http://127.0.0.1:" + std::to_string(server_.ClosedPort()) + "/"};
    manager_->DownloadMemory("a.txt", "", &Callbacks::OnRequestDone, 2);
    EXPECT_EQ(Only().code, -2);
    EXPECT_EQ(Only().error, "Couldn't connect to server");

    Callbacks::Clear();
    dltest::WriteTestFile("www\\huge.bin", (64 << 20) + 1);
    manager_->activeUrls = {server_.BaseUrl(0)};
    manager_->retriesPerUrl = 1;
    manager_->DownloadMemory("huge.bin", "", &Callbacks::OnRequestDone, 2);
    EXPECT_EQ(Only().code, -2);
    EXPECT_EQ(Only().error, "answer larger than 67108864 bytes");
}

TEST_F(Requests, RequestUrlTriesOnce) {
    EXPECT_TRUE(manager_->RequestUrl(server_.Url("/ip"), "", &Callbacks::OnRequestDone, 1));
    EXPECT_EQ(Only().code, 0);
    EXPECT_EQ(Only().url, server_.Url("/ip") + "/");
    EXPECT_EQ(Only().body, "127.0.0.1");

    Callbacks::Clear();
    server_.Reset();
    ASSERT_TRUE(server_.SetFault(R"({"path":"/ip","status":503})"));
    manager_->RequestUrl(server_.Url("/ip"), "", &Callbacks::OnRequestDone, 1);
    EXPECT_EQ(Only().code, -2);
    EXPECT_EQ(Only().error, "503");
    EXPECT_EQ(RequestsFor("/ip").size(), 1u);
}

TEST_F(Requests, ProbeFile) {
    dltest::WriteTestFile("www\\there.bin", 5000);
    struct Case {
        const char* what;
        std::string path;
        std::string fault;
        int code;
        bool exists;
        std::size_t requests;  // over two base URLs
    } const cases[] = {
        {"present", "there.bin", "", 0, true, 1},
        {"present, Range ignored", "there.bin", R"({"path":"/*/there.bin","ignore_range":true})", 0, true, 1},
        {"missing: answered after one try", "gone.bin", "", 0, false, 1},
        {"forbidden: every try on every base", "there.bin", R"({"path":"/*/there.bin","status":403})", -2, false, 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Callbacks::Clear();
        server_.Reset();
        if (!c.fault.empty()) {
            ASSERT_TRUE(server_.SetFault(c.fault));
        }
        manager_->activeUrls = {server_.BaseUrl(0), server_.BaseUrl(1)};
        EXPECT_TRUE(manager_->ProbeFile(c.path, "", &Callbacks::OnProbeDone, 5));
        const Callbacks::RequestEvent event = Only();
        EXPECT_EQ(event.code, c.code) << event.error;
        EXPECT_EQ(event.exists, c.exists);
        EXPECT_EQ(event.url, c.path + "/");
        const std::vector<LoggedRequest> requests = RequestsFor(c.path);
        ASSERT_EQ(requests.size(), c.requests);
        EXPECT_EQ(requests[0].range, "bytes=0-0");
    }
    Callbacks::Clear();
    manager_->activeUrls.clear();
    EXPECT_FALSE(manager_->ProbeFile("there.bin", "", &Callbacks::OnProbeDone, 5));
    EXPECT_TRUE(Callbacks::Requests().empty());
}

TEST_F(Requests, PostJsonPostsOrSendsTheActivityQuery) {
    manager_->adjustUrl = server_.Url("/sink/v1/adjust");
    manager_->PostJson(R"({"log_type":"x"})", server_.Url("/sink/track"));
    manager_->PostJson("event=open&value=1", manager_->adjustUrl);
    const std::vector<LoggedRequest> track = RequestsFor("/sink/track");
    ASSERT_EQ(track.size(), 1u);
    EXPECT_EQ(track[0].method, "POST");
    EXPECT_EQ(track[0].contentType, "application/json; charset=UTF-8");
    EXPECT_EQ(track[0].body, R"({"log_type":"x"})");
    const std::vector<LoggedRequest> adjust = RequestsFor("/sink/v1/adjust");
    ASSERT_EQ(adjust.size(), 1u);
    EXPECT_EQ(adjust[0].method, "GET");
    EXPECT_EQ(adjust[0].query, "event=open&value=1");
}

TEST_F(Requests, NothingIsReportedOnceStopped) {
    ASSERT_TRUE(server_.SetFault(R"({"path":"/*/a.txt","raw":"{}"})"));
    manager_->Stop();
    manager_->DownloadMemory("a.txt", "", &Callbacks::OnRequestDone, 2);
    manager_->RequestUrl(server_.Url("/ip"), "", &Callbacks::OnRequestDone, 1);
    manager_->ProbeFile("a.txt", "", &Callbacks::OnProbeDone, 5);
    EXPECT_TRUE(Callbacks::Requests().empty());
}

}  // namespace
