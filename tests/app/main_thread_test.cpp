// MainThread as the entry point runs it, with recording stand-ins for the UI, the download
// manager and the self-update: the start-up and shutdown order across the two threads, the UI
// tick, and the exit that hands waiting files to the temporary copy.
#include "app/main_thread.h"

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "app/download_seam.h"
#include "app/launcher_context.h"
#include "app/launcher_messages.h"
#include "app/self_update_seam.h"
#include "base/message_loop.h"
#include "base/string_conversions.h"
#include "tests/app/recording_state.h"
#include "tests/app/scratch_folder.h"
#include "tests/base/thread_test_support.h"

namespace {

Journal journal;

class RecordingDownloads : public DownloadService {
public:
    void Init() override { journal.Add("downloads.init"); }
    void Tick() override { ++ticks; }
    void Shutdown() override { journal.Add("downloads.shutdown"); }
    void Stop() override { journal.Add("downloads.stop"); }
    void TogglePause() override {}
    bool IsPaused() const override { return false; }
    void ApplySpeedLimit(int) override {}
    DownloadSpeedFigures SpeedFigures() const override { return {}; }

    std::atomic<int> ticks{0};
};

class RecordingSelfUpdate : public SelfUpdateService {
public:
    void InstallFonts() override { journal.Add("fonts.install"); }
    void UninstallFonts() override { journal.Add("fonts.uninstall"); }
    void StartSelfReplace(const std::wstring& restartCommand, bool exeReplaced) override {
        std::string command;
        kbase::WideToUtf8(restartCommand, command);
        journal.Add("replace(" + command + "," + (exeReplaced ? "exe" : "no exe") + ")");
    }
};

// The stand-in main window: it records the UI ticks and, at the second, sets what the case
// leaves waiting and closes, which ends the UI loop as the launcher's main window does.
struct MainWindow {
    static inline std::function<void()> atSecondTick;
    static inline std::vector<DWORD> tickTimes;

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
        if (message == kMsgUiTick) {
            tickTimes.push_back(::GetTickCount());
            if (tickTimes.size() == 2) {
                atSecondTick();
                ::DestroyWindow(window);
            }
            return 0;
        }
        if (message == WM_DESTROY) {
            LauncherContext::Instance()->SetMainWindow(nullptr);
            ::PostQuitMessage(0);
            return 0;
        }
        return ::DefWindowProcW(window, message, w, l);
    }

    static void Create() {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = &Procedure;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"MainThreadTestWindow";
        ::RegisterClassW(&windowClass);
        HWND window = ::CreateWindowW(windowClass.lpszClassName, L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                      windowClass.hInstance, nullptr);
        LauncherContext::Instance()->SetMainWindow(window);
        journal.Add("window");
    }
};

TEST(MainThread, StartsAndEndsInOrderTicksEvery500MsAndHandsWaitingFilesToTheCopy) {
    struct Case {
        const char* name;
        bool exe, fonts, restart;
        std::vector<std::string> atExit;
    } const cases[] = {
        {"nothing waits", false, false, false, {}},
        {"fonts wait", false, true, false, {"fonts.uninstall", "replace(,no exe)"}},
        {"a confirmed launcher update", true, false, true, {"replace(.\\launcher.exe,exe)"}},
    };
    LauncherContext* context = LauncherContext::Instance();
    RecordingDownloads downloads;
    RecordingSelfUpdate selfUpdate;
    SetDownloadService(&downloads);
    SetSelfUpdateService(&selfUpdate);
    UiServices ui;
    ui.startup = [](const std::wstring&, const std::wstring&, const std::wstring&) { journal.Add("ui.startup"); };
    ui.shutdown = [] { journal.Add("ui.shutdown"); };
    ui.createMainWindow = &MainWindow::Create;
    context->SetUiServices(ui);
    ScratchFolder folder;
    wchar_t previous[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(::SetCurrentDirectoryW(folder.path().c_str()));

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        journal.Take();
        downloads.ticks = 0;
        MainWindow::tickTimes.clear();
        MainWindow::atSecondTick = [&c, context] {
            context->launcherExeUpdated = c.exe;
            context->fontFilesPending = c.fonts;
            context->restartAfterExit = c.restart;
        };
        {
            kbase_test::Watchdog watchdog("main thread run", std::chrono::seconds(60));
            // A fresh thread each time, as each process starts one: nothing of an earlier loop's
            // message queue is left.
            std::thread first([] {
                MainThread mainThread;
                mainThread.RunOnCurrentThreadWithLoop(kbase::MessageLoop::kUILoop);
            });
            first.join();
        }
        std::vector<std::string> expected = {"fonts.install", "downloads.init", "ui.startup", "window",
                                             "ui.shutdown",   "downloads.stop", "downloads.shutdown"};
        expected.insert(expected.end(), c.atExit.begin(), c.atExit.end());
        EXPECT_EQ(journal.Take(), expected);
        ASSERT_EQ(MainWindow::tickTimes.size(), 2u);
        EXPECT_GE(MainWindow::tickTimes[1] - MainWindow::tickTimes[0], 450u);
        EXPECT_GT(downloads.ticks, 0) << "without a state the worker tick still drives the transfers";
    }

    ::SetCurrentDirectoryW(previous);
    context->SetUiServices({});
    SetSelfUpdateService(nullptr);
    SetDownloadService(nullptr);
}

}  // namespace
