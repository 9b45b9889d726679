#include "base/message_loop_proxy.h"

#include <utility>

#include "base/message_loop.h"

namespace kbase {

std::shared_ptr<MessageLoopProxy> MessageLoopProxy::Create(MessageLoop* target) {
    return std::shared_ptr<MessageLoopProxy>(new MessageLoopProxy(target),
                                             [](MessageLoopProxy* proxy) { proxy->DeleteOnLoopThread(); });
}

bool MessageLoopProxy::PostTask(Task task) {
    AutoLock guard(lock_);
    if (!target_) return false;
    target_->PostTask(std::move(task));
    return true;
}

bool MessageLoopProxy::PostDelayedTask(Task task, TimeDelta delay) {
    AutoLock guard(lock_);
    if (!target_) return false;
    if (delay == 0) {
        target_->PostTask(std::move(task));
    } else {
        target_->PostDelayedTask(std::move(task), delay);
    }
    return true;
}

bool MessageLoopProxy::PostOuterLoopTask(Task task) {
    AutoLock guard(lock_);
    if (!target_) return false;
    target_->PostOuterLoopTask(std::move(task));
    return true;
}

bool MessageLoopProxy::PostOuterLoopDelayedTask(Task task, TimeDelta delay) {
    AutoLock guard(lock_);
    if (!target_) return false;
    if (delay == 0) {
        target_->PostOuterLoopTask(std::move(task));
    } else {
        target_->PostOuterLoopDelayedTask(std::move(task), delay);
    }
    return true;
}

bool MessageLoopProxy::IsOnLoopThread() {
    AutoLock guard(lock_);
    return target_ && target_ == MessageLoop::GetCurrentLoopSlot();
}

void MessageLoopProxy::DetachLoop() {
    AutoLock guard(lock_);
    target_ = nullptr;
}

void MessageLoopProxy::DeleteOnLoopThread() {
    {
        AutoLock guard(lock_);
        if (target_ && target_ != MessageLoop::GetCurrentLoopSlot()) {
            // From here the queued closure owns the proxy, so it dies on the loop thread whether the
            // task runs or is dropped with the loop. Running it first waits for this thread to
            // leave the proxy lock.
            std::shared_ptr<MessageLoopProxy> owner(this);
            target_->PostOuterLoopTask(MakeWeakCallback([owner]() mutable {
                { AutoLock wait(owner->lock_); }
                owner.reset();
            }));
            return;
        }
    }
    // The one place a proxy is deleted by hand: this function is its shared owner's deleter.
    delete this;
}

}  // namespace kbase
