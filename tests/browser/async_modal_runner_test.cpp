// Modal dialogs on threads of their own: they run side by side, each runner goes once its dialog
// has ended, and a dialog still open when the manager goes is told to quit and waited for.
#include "browser/async_modal_runner_manager.h"

#include <windows.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/thread_ids.h"
#include "base/message_loop.h"
#include "tests/base/thread_test_support.h"

namespace {

using kbase_test::Event;

// What the dialogs did, kept outside them: they are deleted by their runners.
struct Journal {
    std::mutex mutex;
    std::vector<std::string> entries;
    void Add(std::string entry) {
        std::lock_guard<std::mutex> hold(mutex);
        entries.push_back(std::move(entry));
    }
    std::vector<std::string> Entries() {
        std::lock_guard<std::mutex> hold(mutex);
        return entries;
    }
};

// A dialog with a modal loop of its own: it runs until its finish event is set or its thread
// gets WM_QUIT, as a system dialog's loop does.
class LoopDialog : public ModalWndBase {
public:
    LoopDialog(std::string name, Journal& journal, Event& running, Event& finish)
        : name_(std::move(name)), journal_(journal), running_(running), finish_(finish) {}
    ~LoopDialog() override { journal_.Add(name_ + " deleted"); }

    void RunModal() override {
        running_.Signal();
        for (;;) {
            MSG message;
            while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                if (message.message == WM_QUIT) {
                    journal_.Add(name_ + " quit");
                    return;
                }
            }
            if (finish_.Wait(10)) {
                journal_.Add(name_ + " finished");
                return;
            }
        }
    }

private:
    std::string name_;
    Journal& journal_;
    Event& running_;
    Event& finish_;
};

template <class Condition>
bool WaitUntil(Condition condition) {
    const ULONGLONG deadline = ::GetTickCount64() + kbase_test::kWaitMs;
    while (!condition()) {
        if (::GetTickCount64() >= deadline) return false;
        ::Sleep(10);
    }
    return true;
}

bool WaitForCount(const zel_comp::AsyncModalRunnerManager& manager, std::size_t count) {
    return WaitUntil([&] { return manager.GetRunnerCount() == count; });
}

TEST(AsyncModalRunnerManager, DialogsRunSideBySideAndEachRunnerGoesWithItsDialog) {
    kbase_test::Watchdog watchdog("two modal dialogs");
    kbase_test::RegisteredThread ui(kUiThreadId);
    ASSERT_TRUE(ui.StartWithLoop(kbase::MessageLoop::kUILoop));
    Journal journal;
    Event firstRunning, secondRunning, firstFinish, secondFinish;
    {
        zel_comp::AsyncModalRunnerManager manager;
        EXPECT_FALSE(manager.RunModalAsync(nullptr));
        ASSERT_TRUE(manager.RunModalAsync(std::make_unique<LoopDialog>("first", journal, firstRunning, firstFinish)));
        ASSERT_TRUE(manager.RunModalAsync(std::make_unique<LoopDialog>("second", journal, secondRunning, secondFinish)));
        ASSERT_TRUE(firstRunning.Wait());
        ASSERT_TRUE(secondRunning.Wait());  // both open at once
        EXPECT_EQ(manager.GetRunnerCount(), 2u);

        secondFinish.Signal();
        ASSERT_TRUE(WaitForCount(manager, 1));  // removed on the UI thread once it ended
        // The runner leaves the list before its destruction joins the thread and deletes the dialog.
        const std::vector<std::string> secondGone{"second finished", "second deleted"};
        EXPECT_TRUE(WaitUntil([&] { return journal.Entries() == secondGone; })) << journal.Entries().size();

        firstFinish.Signal();
        ASSERT_TRUE(WaitForCount(manager, 0));
    }
    ui.Stop();
    EXPECT_EQ(journal.Entries(),
              (std::vector<std::string>{"second finished", "second deleted", "first finished", "first deleted"}));
}

// No UI thread here: the finished runner is left to the manager's end.
TEST(AsyncModalRunnerManager, ADialogStillOpenAtTheEndQuitsAndIsDeletedOnlyAfterItsLoopEnded) {
    kbase_test::Watchdog watchdog("modal dialog at exit");
    Journal journal;
    Event running, finish;
    {
        zel_comp::AsyncModalRunnerManager manager;
        ASSERT_TRUE(manager.RunModalAsync(std::make_unique<LoopDialog>("open", journal, running, finish)));
        ASSERT_TRUE(running.Wait());
    }
    EXPECT_EQ(journal.Entries(), (std::vector<std::string>{"open quit", "open deleted"}));
}

}  // namespace
