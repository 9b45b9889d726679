// A download whose process is killed mid-way resumes from its record in the next process. The
// test starts this same executable as the child that downloads and is killed.
#include <windows.h>

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>
#include <json/json.h>

#include "app/json_util.h"
#include "base/unique_handle.h"
#include "tests/download/download_test_support.h"

using dltest::Callbacks;
using dltest::DownloadTest;

namespace {

constexpr char kChildFlag[] = "--download-child";
constexpr std::int64_t kSize = 2000000;
constexpr DWORD kChildLimitMs = 120000;

// The child: downloads slow.bin from the server on port into dl\ of the working folder until it
// is killed; ends by itself after a while so that it never outlives a broken test.
int RunChild(int port, const std::string& md5) {
    DownloadManager manager;
    manager.Init();
    manager.activeUrls = {"http://127.0.0.1:" + std::to_string(port) + "/b0/"};
    manager.DownloadFile("slow.bin", "dl\\slow.bin", md5, kSize, nullptr, nullptr, 5);
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < kChildLimitMs) {
        manager.Tick();
        ::Sleep(1);
    }
    return 2;
}

std::int64_t RecordedBegin(const std::string& cfg) {
    Json::Value root;
    std::string errors;
    if (!ParseJson(dltest::ReadFileBytes(cfg), root, errors) || !root.isObject() || !root["infoList"].isArray() ||
        root["infoList"].empty() || !root["infoList"][0]["begin"].isInt()) {
        return -1;
    }
    return root["infoList"][0]["begin"].asInt();
}

kbase::ScopedHandle StartChild(int port, const std::string& md5) {
    wchar_t self[MAX_PATH];
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::string arguments = std::string(" ") + kChildFlag + " " + std::to_string(port) + " " + md5;
    std::wstring commandLine = L"\"" + std::wstring(self) + L"\"" + std::wstring(arguments.begin(), arguments.end());
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessW(self, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process)) {
        return kbase::ScopedHandle();
    }
    ::CloseHandle(process.hThread);
    return kbase::ScopedHandle(process.hProcess);
}

using KilledDownload = DownloadTest;

TEST_F(KilledDownload, ResumesFromTheRecordWithTheRightMd5) {
    const std::string md5 = dltest::WriteTestFile("www\\slow.bin", kSize);
    ASSERT_TRUE(server_.SetFault(R"({"path":"/b0/slow.bin","throttle":250000})"));
    kbase::ScopedHandle child = StartChild(server_.Port(), md5);
    ASSERT_TRUE(child);
    const bool recorded = dltest::RunUntil([] {}, [] { return RecordedBegin("dl\\slow.bin.cfg") > 0; },
                                           std::chrono::seconds(30));
    ::TerminateProcess(child.Get(), 9);
    ASSERT_EQ(::WaitForSingleObject(child.Get(), 10000), WAIT_OBJECT_0);
    ASSERT_TRUE(recorded);
    const std::int64_t begin = RecordedBegin("dl\\slow.bin.cfg");
    ASSERT_GT(begin, 0);
    ASSERT_LT(begin, kSize);

    server_.Reset();
    manager_->DownloadFile("slow.bin", "dl\\slow.bin", md5, kSize, &Callbacks::OnFileDone, nullptr, 5);
    ASSERT_TRUE(TickUntilFiles(1));
    EXPECT_EQ(Callbacks::Files()[0].code, 0) << Callbacks::Files()[0].message;
    const std::vector<dltest::LoggedRequest> requests = RequestsFor("slow.bin");
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].range, "bytes=" + std::to_string(begin) + "-" + std::to_string(kSize - 1));
    EXPECT_EQ(dltest::FileMd5("dl\\slow.bin"), md5);
    EXPECT_FALSE(dltest::FileExists("dl\\slow.bin.cfg"));
}

}  // namespace

// This executable's own entry point: the child mode, or the tests.
int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == kChildFlag) return RunChild(std::atoi(argv[2]), argv[3]);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
