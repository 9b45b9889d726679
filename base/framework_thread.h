#pragma once

#include <memory>
#include <string>

#include "base/lock.h"
#include "base/thread.h"
#include "base/unique_handle.h"
#include "base/weak_callback.h"
#include "base/win_message_pump.h"

namespace kbase {

class MessageLoop;
class MessageLoopProxy;

// A thread that owns one message loop while it runs. Init (on the thread, before the starter
// goes on) and Cleanup (after the loop has returned) are where a thread registers and
// unregisters its identifier. A derived class must call Stop in its own destructor: the thread
// still runs its Cleanup override while it is being joined.
class FrameworkThread : public Thread, public virtual SupportWeakCallback {
public:
    explicit FrameworkThread(std::string name);
    ~FrameworkThread() override;

    // Starts the thread with a loop of the type (MessageLoop::LoopType) and returns once its
    // Init has finished; false when the thread could not start or already has a loop.
    bool StartWithLoop(int loop_type, WinMessagePump::Dispatcher* dispatcher = nullptr);
    // Runs on the calling thread; returns after the loop has ended and Cleanup has run.
    void RunOnCurrentThreadWithLoop(int loop_type, WinMessagePump::Dispatcher* dispatcher = nullptr);
    // From any thread: the loop quits at its next idle point, then the thread is joined; on the
    // thread itself it only asks the loop to quit, and a later Stop from elsewhere joins it.
    void Stop();

    void Run() override;

    const std::string& name() const { return name_; }
    // The loop's proxy, empty while no loop runs.
    std::shared_ptr<MessageLoopProxy> LoopProxy();

protected:
    virtual void Init() {}
    virtual void Cleanup() {}

private:
    Lock lock_;  // started_, stopping_ and the loop pointer, which Stop reads from other threads
    bool started_ = false;
    bool stopping_ = false;  // the quit task has been posted
    int loop_type_ = 0;
    std::unique_ptr<MessageLoop> loop_;
    WinMessagePump::Dispatcher* dispatcher_ = nullptr;  // not owned
    ScopedHandle start_event_;                          // auto-reset
    std::string name_;
};

}  // namespace kbase
