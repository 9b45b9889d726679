#include "tests/support/test_server.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

namespace {

// A folder of the served files, removed with its contents at the end.
class ServedFolder {
public:
    ServedFolder() : path_(std::filesystem::temp_directory_path() /
                           (L"tvn_served_" + std::to_wstring(::GetCurrentProcessId()))) {
        std::filesystem::create_directories(path_ / L"dir");
        std::ofstream(path_ / L"dir" / L"a.bin", std::ios::binary) << "0123456789";
    }
    ~ServedFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::wstring path() const { return path_.wstring(); }

private:
    std::filesystem::path path_;
};

TEST(TestServer, ServesRangesAndFaultsAndStopsWithItsOwner) {
    ServedFolder folder;
    int port = 0;
    {
        TestServer server;
        ASSERT_TRUE(server.Start(folder.path()));
        port = server.Port();
        EXPECT_EQ(server.BaseUrl(2), "http://127.0.0.1:" + std::to_string(port) + "/b2/");
        EXPECT_FALSE(AcceptsConnections(server.ClosedPort()));

        RawHttpAnswer ranged = server.Request("GET", "/b1/dir/a.bin", "Range: bytes=2-4\r\n");
        EXPECT_EQ(ranged.status, 206);
        EXPECT_NE(ranged.head.find("Content-Range: bytes 2-4/10"), std::string::npos) << ranged.head;
        EXPECT_EQ(ranged.body, "234");

        ASSERT_TRUE(server.SetFault(R"({"path":"/*/dir/a.bin","fail_first":1,"status":503})"));
        EXPECT_FALSE(server.SetFault(R"({"path":"/b0/dir/a.bin","no_such_switch":1})"));
        EXPECT_EQ(server.Request("GET", "/b0/dir/a.bin").status, 503);
        EXPECT_EQ(server.Request("GET", "/b0/dir/a.bin").body, "0123456789");

        const std::string log = server.Log();
        EXPECT_NE(log.find(R"("range": "bytes=2-4")"), std::string::npos) << log;
        ASSERT_TRUE(server.Reset());
        EXPECT_EQ(server.Log(), "[]");
    }
    EXPECT_FALSE(AcceptsConnections(port));  // the destructor waited for the server to go
}

TEST(TestServer, StartFailsAtOnceWhenTheServerExitsBeforeItIsReady) {
    const std::wstring missing = ServedFolder().path();  // gone again
    TestServer server;
    const ULONGLONG began = ::GetTickCount64();
    EXPECT_FALSE(server.Start(missing));
    EXPECT_LT(::GetTickCount64() - began, 20000u);  // the server's exit ended the wait, not its 30 s limit
}

}  // namespace
