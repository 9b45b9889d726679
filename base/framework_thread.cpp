#include "base/framework_thread.h"

#include <utility>

#include "base/framework_thread_record.h"
#include "base/io_message_loop.h"
#include "base/message_loop.h"
#include "base/thread_registry.h"
#include "base/ui_message_loop.h"

namespace kbase {

namespace {
std::unique_ptr<MessageLoop> CreateLoop(int loop_type) {
    switch (loop_type) {
        case MessageLoop::kIOLoop: return std::make_unique<IOMessageLoop>();
        case MessageLoop::kUILoop: return std::make_unique<UIMessageLoop>();
        default: return std::make_unique<MessageLoop>();
    }
}
}  // namespace

FrameworkThread::FrameworkThread(std::string name)
    : start_event_(::CreateEventW(nullptr, FALSE, FALSE, nullptr)), name_(std::move(name)) {
    // Stop makes weak callbacks from other threads; with the token made now they only read it.
    ObtainWeakFlag();
}

FrameworkThread::~FrameworkThread() { Stop(); }

bool FrameworkThread::StartWithLoop(int loop_type, WinMessagePump::Dispatcher* dispatcher) {
    {
        AutoLock guard(lock_);
        if (loop_) return false;
        loop_type_ = loop_type;
        dispatcher_ = dispatcher;
        stopping_ = false;  // a restarted thread needs a new quit task
    }
    if (!Create()) return false;
    ::WaitForSingleObject(start_event_.Get(), INFINITE);
    AutoLock guard(lock_);
    started_ = true;
    return true;
}

void FrameworkThread::RunOnCurrentThreadWithLoop(int loop_type, WinMessagePump::Dispatcher* dispatcher) {
    {
        AutoLock guard(lock_);
        started_ = true;
        stopping_ = false;
        loop_type_ = loop_type;
        dispatcher_ = dispatcher;
    }
    Run();
}

void FrameworkThread::Stop() {
    {
        AutoLock guard(lock_);
        if (!started_) return;
        if (!stopping_ && loop_) {
            stopping_ = true;
            QueuedTask quit;
            quit.nestable = false;  // quits the outermost run only
            quit.task = MakeWeakCallback([] {
                if (MessageLoop* loop = MessageLoop::GetCurrentLoopSlot()) loop->QuitWhenIdle();
            });
            loop_->EnqueueIncoming(std::move(quit));
        }
    }
    // On its own thread the stop only asks the loop to quit: a thread cannot wait for itself, and
    // a later Stop from another thread (the destructor's too) must still find it started and join it.
    if (thread_id() == ::GetCurrentThreadId()) return;
    Join();
    AutoLock guard(lock_);
    started_ = false;
}

std::shared_ptr<MessageLoopProxy> FrameworkThread::LoopProxy() {
    AutoLock guard(lock_);
    return loop_ ? loop_->proxy() : nullptr;
}

void FrameworkThread::Run() {
    std::unique_ptr<FrameworkThreadRecord> own_record;
    if (!FrameworkThreadRecord::Current()) {
        own_record = std::make_unique<FrameworkThreadRecord>();
        own_record->owner = this;
        FrameworkThreadRecord::SetCurrent(own_record.get());
    }
    thread_id_ = ::GetCurrentThreadId();
    {
        std::unique_ptr<MessageLoop> loop = CreateLoop(loop_type_);
        AutoLock guard(lock_);
        loop_ = std::move(loop);
    }
    Init();
    ::SetEvent(start_event_.Get());

    loop_->Run(dispatcher_);  // only this thread changes loop_

    Cleanup();
    // An identifier left registered would point the registry at a thread without a loop, and
    // later at a destroyed object.
    ThreadRegistry::GetInstance()->ForgetThread(this);
    std::unique_ptr<MessageLoop> finished;
    {
        AutoLock guard(lock_);
        finished = std::move(loop_);
    }
    finished.reset();  // outside the lock: closures destroyed here may post or stop threads
    thread_id_ = 0;
    if (own_record) FrameworkThreadRecord::SetCurrent(nullptr);
}

}  // namespace kbase
