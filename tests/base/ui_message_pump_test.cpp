#include "base/win_ui_message_pump.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "base/message_loop_proxy.h"
#include "base/ui_message_loop.h"
#include "tests/base/thread_test_support.h"

namespace {

using kbase::MessageLoop;
using kbase::UIMessageLoop;
using kbase::WinUIMessagePump;
using kbase_test::Watchdog;

constexpr UINT kHaveWork = WinUIMessagePump::kHaveWorkMessage;
constexpr UINT kEnterNestedLoop = WM_APP + 1;

// Takes every have-work message for the window out of the thread's queue and counts them.
int TakeHaveWorkMessages(HWND window, MSG* last) {
    int count = 0;
    while (::PeekMessageW(last, window, kHaveWork, kHaveWork, PM_REMOVE)) ++count;
    return count;
}

// The message window of this thread's UI loop.
HWND ThisThreadsPumpWindow() {
    HWND window = nullptr;
    while ((window = ::FindWindowExW(HWND_MESSAGE, window, L"SabruneMessagePumpWindow", nullptr)) != nullptr) {
        if (::GetWindowThreadProcessId(window, nullptr) == ::GetCurrentThreadId()) return window;
    }
    return nullptr;
}

// A message-only window whose procedure calls back, to drive nested loops from a message.
class TestWindow {
public:
    explicit TestWindow(std::function<void()> on_enter_nested_loop) : on_enter_(std::move(on_enter_nested_loop)) {
        static const ATOM atom = [] {
            WNDCLASSEXW window_class = {};
            window_class.cbSize = sizeof(window_class);
            window_class.lpfnWndProc = &TestWindow::Proc;
            window_class.hInstance = ::GetModuleHandleW(nullptr);
            window_class.lpszClassName = L"KbaseTestWindow";
            return ::RegisterClassExW(&window_class);
        }();
        window_ = ::CreateWindowExW(0, MAKEINTATOM(atom), nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    ::GetModuleHandleW(nullptr), nullptr);
        ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~TestWindow() { ::DestroyWindow(window_); }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    void PostEnterNestedLoop() { ::PostMessageW(window_, kEnterNestedLoop, 0, 0); }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
        auto* const self = reinterpret_cast<TestWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self && message == kEnterNestedLoop) {
            self->on_enter_();
            return 0;
        }
        return ::DefWindowProcW(window, message, wparam, lparam);
    }

    std::function<void()> on_enter_;
    HWND window_ = nullptr;
};

TEST(WinUIMessagePump, ManyWakeUpsFromAnotherThreadQueueOneMessage) {
    WinUIMessagePump pump;
    std::thread([&pump] {
        for (int i = 0; i < 100; ++i) pump.WakeUp();
    }).join();
    MSG message;
    EXPECT_EQ(TakeHaveWorkMessages(pump.message_window(), &message), 1);
    EXPECT_EQ(message.wParam, reinterpret_cast<WPARAM>(&pump));
}

TEST(WinUIMessagePump, ManyPostsWhileTheThreadIsBusyQueueOneMessageAndAllRun) {
    UIMessageLoop loop;
    const auto proxy = loop.proxy();
    int ran = 0;
    std::thread([&] {
        for (int i = 0; i < 100; ++i) proxy->PostTask([&ran] { ++ran; });
        proxy->PostTask([] { MessageLoop::GetCurrentLoopSlot()->QuitWhenIdle(); });
    }).join();

    const HWND window = ThisThreadsPumpWindow();
    ASSERT_NE(window, nullptr);
    MSG message;
    ASSERT_TRUE(::PeekMessageW(&message, window, kHaveWork, kHaveWork, PM_NOREMOVE));
    EXPECT_EQ(TakeHaveWorkMessages(window, &message), 1);
    ::PostMessageW(message.hwnd, message.message, message.wParam, message.lParam);  // hand it back

    {
        Watchdog watchdog("100 posts");
        loop.Run();
    }
    EXPECT_EQ(ran, 100);
}

TEST(WinUIMessagePump, TasksRunInsideANestedModalLoop) {
    UIMessageLoop loop;
    const auto proxy = loop.proxy();
    bool in_modal_loop = false;
    bool ran_in_modal_loop = false;
    TestWindow window([&] {
        // A modal loop of someone else's making, as a dialog or a menu runs one.
        in_modal_loop = true;
        bool done = false;
        std::thread poster([&] {
            proxy->PostTask([&] {
                ran_in_modal_loop = in_modal_loop;
                done = true;
            });
        });
        MSG message;
        while (!done && ::GetMessageW(&message, nullptr, 0, 0) > 0) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        poster.join();
        in_modal_loop = false;
        MessageLoop::GetCurrentLoopSlot()->PostTask([] { MessageLoop::GetCurrentLoopSlot()->QuitWhenIdle(); });
    });
    window.PostEnterNestedLoop();
    {
        Watchdog watchdog("modal loop");
        loop.Run();
    }
    EXPECT_TRUE(ran_in_modal_loop);
}

TEST(WinUIMessagePump, OuterLoopTasksWaitForTheOutermostRun) {
    UIMessageLoop loop;
    bool nested = false;
    std::vector<std::string> events;
    TestWindow window([&] {
        nested = true;
        loop.Run();  // a nested run, entered from a message rather than from a task
        nested = false;
    });
    window.PostEnterNestedLoop();
    loop.PostOuterLoopTask([&] {
        events.push_back(nested ? "outer task, nested" : "outer task, outermost");
        loop.QuitWhenIdle();
    });
    loop.PostTask([&] {
        events.push_back(nested ? "task, nested" : "task, outermost");
        loop.QuitWhenIdle();  // ends the nested run
    });
    {
        Watchdog watchdog("nested run");
        loop.Run();
    }
    EXPECT_EQ(events, (std::vector<std::string>{"task, nested", "outer task, outermost"}));
}

TEST(WinUIMessagePump, QuitMessageEndsTheLoopAndIsPostedAgain) {
    struct Case { const char* name; bool from_nested_run; int exit_code; } const cases[] = {
        {"outermost run", false, 0},
        {"nested run", true, 7},
        {"negative code", false, -3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UIMessageLoop loop;
        int nested_runs_ended = 0;
        TestWindow window([&] {
            loop.Run();
            ++nested_runs_ended;
        });
        if (c.from_nested_run) window.PostEnterNestedLoop();
        loop.PostTask([&c] { ::PostQuitMessage(c.exit_code); });
        {
            Watchdog watchdog("quit message");
            loop.Run();
        }
        EXPECT_EQ(nested_runs_ended, c.from_nested_run ? 1 : 0);
        MSG message;
        ASSERT_TRUE(::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
        EXPECT_EQ(static_cast<int>(message.wParam), c.exit_code);
        EXPECT_FALSE(::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "exactly one left";
    }
}

// Takes the thread's messages in place of translate and dispatch.
class RecordingDispatcher : public kbase::WinMessagePump::Dispatcher {
public:
    bool Dispatch(const MSG& message) override {
        seen.push_back(message.message);
        return message.message != kStop;
    }
    static constexpr UINT kStop = WM_APP + 2;
    std::vector<UINT> seen;
};

TEST(WinUIMessagePump, DispatcherTakesMessagesAndCanEndTheLoop) {
    UIMessageLoop loop;
    RecordingDispatcher dispatcher;
    bool task_ran = false;
    loop.PostTask([&task_ran] { task_ran = true; });
    ::PostThreadMessageW(::GetCurrentThreadId(), WM_APP + 3, 0, 0);
    ::PostThreadMessageW(::GetCurrentThreadId(), RecordingDispatcher::kStop, 0, 0);
    {
        Watchdog watchdog("dispatcher");
        loop.Run(&dispatcher);
    }
    EXPECT_TRUE(task_ran);
    EXPECT_EQ(dispatcher.seen, (std::vector<UINT>{WM_APP + 3, RecordingDispatcher::kStop}))
        << "the pump's own wake-ups never reach the dispatcher";
}

}  // namespace
