#pragma once

#include <list>
#include <memory>

#include "base/lock.h"
#include "base/weak_callback.h"
#include "browser/async_modal_runner.h"
#include "browser/modal_wnd_base.h"

namespace zel_comp {

// Runs modal dialogs each on a thread of its own so that the UI thread keeps its message loop,
// keeps every runner until its dialog has ended and removes it on the UI thread (thread 0). At
// its destruction (process exit) every dialog still running is told to quit and waited for.
class AsyncModalRunnerManager : public AsyncModalRunner::Delegate, public kbase::SupportWeakCallback {
public:
    static AsyncModalRunnerManager& GetInstance();

    AsyncModalRunnerManager();
    ~AsyncModalRunnerManager() override;
    AsyncModalRunnerManager(const AsyncModalRunnerManager&) = delete;
    AsyncModalRunnerManager& operator=(const AsyncModalRunnerManager&) = delete;

    // UI thread: runs the dialog on a new thread; true once that thread runs. Without a dialog,
    // or when the thread cannot be started, false: the dialog then never shows.
    bool RunModalAsync(std::unique_ptr<ModalWndBase> dialog);
    // The runners whose dialogs have not been removed yet.
    std::size_t GetRunnerCount() const;

    void OnRunnerFinished(AsyncModalRunner* runner) override;
    // UI thread: forgets the runner; its destruction joins the ended thread.
    void RemoveRunner(AsyncModalRunner* runner);

private:
    mutable kbase::Lock lock_;
    std::list<std::shared_ptr<AsyncModalRunner>> runners_;
};

}  // namespace zel_comp
