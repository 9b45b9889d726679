#include "base/win_io_message_pump.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "base/io_message_loop.h"
#include "base/unique_handle.h"
#include "tests/base/thread_test_support.h"

namespace {

// Records its completion and lets the loop quit.
class ReadHandler : public kbase::WinIOMessagePump::IOHandler {
public:
    void OnIOCompleted(OVERLAPPED* overlapped, DWORD bytes_transferred, DWORD error) override {
        completed = overlapped;
        bytes = bytes_transferred;
        result = error;
        kbase::MessageLoop::GetCurrentLoopSlot()->QuitWhenIdle();
    }
    OVERLAPPED* completed = nullptr;
    DWORD bytes = 0;
    DWORD result = 1;
};

TEST(WinIOMessagePump, HandsCompletionsToTheirHandlers) {
    wchar_t folder[MAX_PATH];
    wchar_t path[MAX_PATH];
    ASSERT_NE(::GetTempPathW(MAX_PATH, folder), 0u);
    ASSERT_NE(::GetTempFileNameW(folder, L"kio", 0, path), 0u);
    {
        kbase::ScopedFileHandle writer(::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        DWORD written = 0;
        ASSERT_TRUE(::WriteFile(writer.Get(), "hello", 5, &written, nullptr));
    }
    kbase::ScopedFileHandle file(::CreateFileW(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                               FILE_FLAG_OVERLAPPED | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    ASSERT_TRUE(file);

    kbase::IOMessageLoop loop;
    ReadHandler handler;
    ASSERT_TRUE(loop.RegisterIOHandler(file.Get(), &handler));
    char buffer[8] = {};
    OVERLAPPED overlapped = {};
    const BOOL read = ::ReadFile(file.Get(), buffer, sizeof(buffer), nullptr, &overlapped);
    ASSERT_TRUE(read || ::GetLastError() == ERROR_IO_PENDING);
    {
        kbase_test::Watchdog watchdog("I/O completion");
        loop.Run();
    }
    EXPECT_EQ(handler.completed, &overlapped);
    EXPECT_EQ(handler.result, 0u);
    EXPECT_EQ(handler.bytes, 5u);
    EXPECT_EQ(std::string(buffer), "hello");
}

}  // namespace
