#pragma once

#include <memory>

#include "base/lock.h"
#include "base/task.h"
#include "base/time.h"
#include "base/weak_callback.h"

namespace kbase {

class MessageLoop;

// A shared handle to a loop that may outlive it: posts are refused once the loop is gone.
// The proxy lock is held while a task enters the loop's queue, so the loop cannot be destroyed
// in the middle of a post.
class MessageLoopProxy : public SupportWeakCallback {
public:
    // Made by the loop's constructor; the last reference runs DeleteOnLoopThread.
    static std::shared_ptr<MessageLoopProxy> Create(MessageLoop* target);

    MessageLoopProxy(const MessageLoopProxy&) = delete;
    MessageLoopProxy& operator=(const MessageLoopProxy&) = delete;
    ~MessageLoopProxy() override = default;

    // Each returns false, dropping the task, once the loop is gone.
    virtual bool PostTask(Task task);
    // A delay of 0 posts as PostTask does.
    virtual bool PostDelayedTask(Task task, TimeDelta delay);
    virtual bool PostOuterLoopTask(Task task);
    virtual bool PostOuterLoopDelayedTask(Task task, TimeDelta delay);
    virtual bool IsOnLoopThread();
    // Called by the loop's destructor before it drops its reference.
    virtual void DetachLoop();
    // The deleter of the last reference; nothing else calls it.
    virtual void DeleteOnLoopThread();

private:
    explicit MessageLoopProxy(MessageLoop* target) : target_(target) {}

    Lock lock_;
    MessageLoop* target_;  // not owned; null once detached
};

}  // namespace kbase
