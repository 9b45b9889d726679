#include "browser/async_modal_runner.h"

namespace zel_comp {

AsyncModalRunner::AsyncModalRunner(Delegate* delegate)
    : delegate_(delegate), startEvent_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

AsyncModalRunner::~AsyncModalRunner() {
    PostQuit();
    // The dialog may still be in its modal loop: it goes only once its thread has ended.
    Join();
    dialog_.reset();
}

bool AsyncModalRunner::Start() {
    if (!startEvent_ || !Create()) return false;
    started_ = ::WaitForSingleObject(startEvent_.Get(), INFINITE) == WAIT_OBJECT_0;
    return started_;
}

void AsyncModalRunner::PostQuit() {
    if (!started_ || quitPosted_.exchange(true)) return;
    ::PostThreadMessageW(thread_id(), WM_QUIT, 0, 0);
}

void AsyncModalRunner::Run() {
    // The thread's message queue exists once it has peeked, before anyone is told it runs.
    MSG message;
    ::PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    ::SetEvent(startEvent_.Get());
    if (dialog_) dialog_->RunModal();
    if (delegate_) delegate_->OnRunnerFinished(this);
}

}  // namespace zel_comp
