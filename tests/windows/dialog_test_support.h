#pragma once

// Real launcher dialogs for tests: a UI thread registered as the launcher's thread 0 (where the
// dialogs live and their results are posted), the real skins of the laid-out skin folder, an
// owner window, and the answers the dialogs deliver, collected across threads.

#include <windows.h>

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/thread_ids.h"
#include "base/message_loop.h"
#include "base/string_format.h"
#include "tests/base/thread_test_support.h"
#include "ui/global_manager.h"
#include "ui/label.h"
#include "ui/window.h"

namespace dialog_test {

// Answers delivered to result callbacks, with the thread each ran on.
class Answers {
public:
    std::function<void(int)> Callback() {
        return [this](int answer) {
            std::lock_guard<std::mutex> hold(mutex_);
            answers_.push_back(answer);
            threads_.push_back(::GetCurrentThreadId());
        };
    }
    std::vector<int> Values() const {
        std::lock_guard<std::mutex> hold(mutex_);
        return answers_;
    }
    void Clear() {
        std::lock_guard<std::mutex> hold(mutex_);
        answers_.clear();
        threads_.clear();
    }
    std::vector<DWORD> Threads() const {
        std::lock_guard<std::mutex> hold(mutex_);
        return threads_;
    }

private:
    mutable std::mutex mutex_;
    std::vector<int> answers_;
    std::vector<DWORD> threads_;
};

// Polls until done() holds or the time is up; the UI thread keeps running meanwhile.
inline bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000) {
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    while (!done()) {
        if (::GetTickCount64() >= deadline) return false;
        ::Sleep(10);
    }
    return true;
}

// The laid-out skin folder's resources\ as Wine sees it (the build's path on drive Z:).
inline std::wstring SkinFolder() {
    std::wstring folder = L"Z:" + kbase::FormatWideString(L"%hs/resources/", LAUNCHER_SKIN_STAGE);
    for (wchar_t& c : folder) c = c == L'/' ? L'\\' : c;
    return folder;
}

// One UI thread for the whole test program, as the launcher has: the framework's timer manager
// stays with the thread that first used it.
class UiThreadEnvironment : public ::testing::Environment {
public:
    static kbase_test::RegisteredThread& Thread() {
        static kbase_test::RegisteredThread thread(kUiThreadId);
        return thread;
    }
    void TearDown() override { Thread().Stop(); }
};

inline kbase_test::RegisteredThread& StartedUiThread() {
    static const bool started = [] {
        ::testing::AddGlobalTestEnvironment(new UiThreadEnvironment);
        return UiThreadEnvironment::Thread().StartWithLoop(kbase::MessageLoop::kUILoop);
    }();
    EXPECT_TRUE(started);
    return UiThreadEnvironment::Thread();
}

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        RunOnUi([this] {
            ui::GlobalManager::Startup(SkinFolder(), nullptr, false, L"themes\\default", L"en");
            WNDCLASSEXW windowClass{};
            windowClass.cbSize = sizeof(windowClass);
            windowClass.lpfnWndProc = &::DefWindowProcW;
            windowClass.hInstance = ::GetModuleHandleW(nullptr);
            windowClass.lpszClassName = L"DialogTestOwner";
            ::RegisterClassExW(&windowClass);
            owner_ = ::CreateWindowExW(0, L"DialogTestOwner", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1000,
                                       700, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        });
        ASSERT_NE(owner_, nullptr);
        threadId_ = ::GetWindowThreadProcessId(owner_, nullptr);
    }
    void TearDown() override {
        RunOnUi([this] { ::DestroyWindow(owner_); });
    }

public:
    void RunOnUi(std::function<void()> task) {
        ASSERT_TRUE(kbase_test::RunOn(StartedUiThread().LoopProxy(), std::move(task)));
    }

    // The dialog window of a class, once it is shown; null when none comes.
    static HWND WaitForWindow(const wchar_t* className) {
        HWND found = nullptr;
        WaitUntil([&] {
            found = ::FindWindowW(className, nullptr);
            return found && ::IsWindowVisible(found);
        });
        return found;
    }
    static bool WaitForWindowGone(HWND window) {
        return WaitUntil([window] { return !::IsWindow(window); });
    }

    // The framework window of a handle (on the UI thread only).
    static ui::Window* FrameworkWindow(HWND hwnd) {
        for (ui::Window* window : ui::GlobalManager::GetWindowList()) {
            if (window->GetHWND() == hwnd) return window;
        }
        return nullptr;
    }
    // The text a named label shows, "<none>" when the dialog lacks it.
    std::wstring LabelText(HWND dialog, const wchar_t* name) {
        std::wstring text = L"<none>";
        RunOnUi([&] {
            ui::Window* window = FrameworkWindow(dialog);
            auto* label = window ? dynamic_cast<ui::Label*>(window->FindControl(std::wstring(name))) : nullptr;
            if (label) text = label->GetText();
        });
        return text;
    }
    // A named control's centre in client coordinates, (-1, -1) when it is not there.
    POINT CentreOf(HWND dialog, const wchar_t* name) {
        POINT point{-1, -1};
        RunOnUi([&] {
            ui::Window* window = FrameworkWindow(dialog);
            ui::Control* control = window ? window->FindControl(std::wstring(name)) : nullptr;
            if (control && control->IsVisible()) {
                const RECT r = control->GetPos();
                point = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
            }
        });
        return point;
    }
    // A real click: the pointer moves onto the control, then presses and releases there.
    void Click(HWND dialog, const wchar_t* name) {
        const POINT point = CentreOf(dialog, name);
        ASSERT_GE(point.x, 0) << "no control " << std::string(name, name + wcslen(name));
        const LPARAM at = MAKELPARAM(point.x, point.y);
        ::PostMessageW(dialog, WM_MOUSEMOVE, 0, at);
        ::PostMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::PostMessageW(dialog, WM_LBUTTONUP, 0, at);
    }
    // Presses the mouse on a control and releases it outside the dialog: the control takes the
    // focus without being clicked.
    void FocusWithoutClick(HWND dialog, const wchar_t* name) {
        const POINT point = CentreOf(dialog, name);
        ASSERT_GE(point.x, 0) << "no control " << std::string(name, name + wcslen(name));
        ::PostMessageW(dialog, WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
        ::PostMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        ::PostMessageW(dialog, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(2, 2));
        ::PostMessageW(dialog, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    }
    static void PressKey(HWND dialog, WPARAM key) {
        ::PostMessageW(dialog, WM_KEYDOWN, key, 1);
        ::PostMessageW(dialog, WM_KEYUP, key, 0xC0000001);
    }
    // The layout is done once the first paint ran.
    void WaitLaidOut(HWND dialog) {
        ASSERT_TRUE(WaitUntil([&] {
            bool done = false;
            RunOnUi([&] {
                ui::Window* window = FrameworkWindow(dialog);
                done = window && !window->IsArrangePending() && window->GetRoot();
            });
            return done;
        }));
    }

    // Waits until the dialog has answered and gone, then lets anything posted by then run, so
    // that a second answer would be there too.
    std::vector<int> AnswersAfterClose(HWND dialog, const Answers& answers) {
        EXPECT_TRUE(WaitForWindowGone(dialog));
        EXPECT_TRUE(WaitUntil([&answers] { return !answers.Values().empty(); }));
        RunOnUi([] {});
        return answers.Values();
    }

    // One way out of an open dialog: what is done to it, and the one answer it must give.
    struct WayOut {
        const char* way;
        std::function<void(HWND)> act;
        int answer;
    };
    // Opens a dialog for each way out and takes that way: exactly its answer must come, and the
    // owner must be usable again.
    void ExpectEachWayOutAnswersOnce(const std::vector<WayOut>& ways, const std::function<HWND()>& open,
                                     Answers& answers) {
        for (const WayOut& way : ways) {
            SCOPED_TRACE(way.way);
            answers.Clear();
            const HWND dialog = open();
            ASSERT_NE(dialog, nullptr);
            way.act(dialog);
            EXPECT_EQ(AnswersAfterClose(dialog, answers), std::vector<int>{way.answer});
            EXPECT_TRUE(::IsWindowEnabled(owner_));
        }
    }

    kbase_test::Watchdog watchdog_{"dialog test", std::chrono::seconds(120)};
    HWND owner_ = nullptr;
    DWORD threadId_ = 0;
};

}  // namespace dialog_test
