#pragma once

#include <windows.h>

#include <atomic>
#include <memory>

#include "base/thread.h"
#include "base/unique_handle.h"
#include "browser/modal_wnd_base.h"

namespace zel_comp {

// One modal dialog on a thread of its own. The thread has its message queue before it signals
// that it runs, so a WM_QUIT posted to it from then on is never lost. Destroying a runner whose
// dialog still runs posts WM_QUIT to the thread, waits for the thread, then deletes the dialog.
class AsyncModalRunner : public kbase::Thread {
public:
    class Delegate {
    public:
        // Called on the runner's thread once its dialog has ended.
        virtual void OnRunnerFinished(AsyncModalRunner* runner) = 0;

    protected:
        ~Delegate() = default;
    };

    explicit AsyncModalRunner(Delegate* delegate);
    ~AsyncModalRunner() override;

    // Replaces (and deletes) any dialog given before.
    void SetDialog(std::unique_ptr<ModalWndBase> dialog) { dialog_ = std::move(dialog); }
    // Starts the thread and waits until it runs; false when it could not be started.
    bool Start();
    bool IsStarted() const { return started_; }
    // Posts WM_QUIT to a started thread, at most once.
    void PostQuit();

    void Run() override;

private:
    std::atomic<bool> started_{false};
    std::atomic<bool> quitPosted_{false};
    Delegate* delegate_;  // not owned
    kbase::ScopedHandle startEvent_;
    std::unique_ptr<ModalWndBase> dialog_;
};

}  // namespace zel_comp
