#pragma once

#include <memory>

#include "app/thread_ids.h"
#include "base/framework_thread.h"
#include "base/time.h"

class LauncherContext;
class MiscThread;

// The UI thread: runs on the process's first thread, sets the launcher context up, starts the
// worker, starts the UI and shows the main window; after the main window has ended the loop it
// shuts the UI down, saves the statistics and stops the worker again.
class MainThread : public kbase::FrameworkThread {
public:
    MainThread();
    ~MainThread() override;

    static constexpr int kThreadId = kUiThreadId;
    // Between two UI ticks, which ask the main window to refresh its pre-download details.
    static constexpr kbase::TimeDelta kUiTickDelay = 500000;  // µs

protected:
    void Init() override;
    void Cleanup() override;

private:
    void UiTick();
    // Files that the running launcher could not replace wait in update\: a temporary copy of
    // the launcher puts them in place once this process has ended, and starts the launcher
    // again when the update prompt asked for it.
    static void StartPendingReplace(LauncherContext& context);

    std::unique_ptr<MiscThread> worker_;
};
