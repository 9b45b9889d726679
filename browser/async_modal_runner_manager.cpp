#include "browser/async_modal_runner_manager.h"

#include <utility>

#include "app/thread_ids.h"
#include "base/thread_registry.h"

namespace zel_comp {

AsyncModalRunnerManager& AsyncModalRunnerManager::GetInstance() {
    static AsyncModalRunnerManager manager;
    return manager;
}

AsyncModalRunnerManager::AsyncModalRunnerManager() {
    ObtainWeakFlag();  // before any runner's thread can post a callback bound to it
}

AsyncModalRunnerManager::~AsyncModalRunnerManager() {
    std::list<std::shared_ptr<AsyncModalRunner>> runners;
    {
        kbase::AutoLock hold(lock_);
        runners.swap(runners_);
    }
    // Every thread is told first, then each is waited for (in the runner's destruction).
    for (const auto& runner : runners) runner->PostQuit();
    runners.clear();
}

bool AsyncModalRunnerManager::RunModalAsync(std::unique_ptr<ModalWndBase> dialog) {
    if (!dialog) return false;
    auto runner = std::make_shared<AsyncModalRunner>(this);
    runner->SetDialog(std::move(dialog));
    {
        kbase::AutoLock hold(lock_);
        runners_.push_back(runner);
    }
    if (runner->Start()) return true;
    RemoveRunner(runner.get());
    return false;
}

std::size_t AsyncModalRunnerManager::GetRunnerCount() const {
    kbase::AutoLock hold(lock_);
    return runners_.size();
}

void AsyncModalRunnerManager::OnRunnerFinished(AsyncModalRunner* runner) {
    kbase::ThreadRegistry::GetInstance()->PostTask(kUiThreadId,
                                                   MakeWeakCallback([this, runner] { RemoveRunner(runner); }));
}

void AsyncModalRunnerManager::RemoveRunner(AsyncModalRunner* runner) {
    std::shared_ptr<AsyncModalRunner> removed;
    {
        kbase::AutoLock hold(lock_);
        for (auto it = runners_.begin(); it != runners_.end(); ++it) {
            if (it->get() == runner) {
                removed = std::move(*it);
                runners_.erase(it);
                break;
            }
        }
    }
    // Destroyed here, outside the lock: it waits for its ended thread.
    removed.reset();
}

}  // namespace zel_comp
