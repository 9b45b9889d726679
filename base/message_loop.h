#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "base/lock.h"
#include "base/loop_run_state.h"
#include "base/message_pump.h"
#include "base/queued_task.h"
#include "base/task.h"
#include "base/time.h"
#include "base/win_message_pump.h"

namespace kbase {

class MessageLoopProxy;

// The task queue of one thread. Other threads post through its proxy; the loop's thread runs
// the tasks one at a time, in order, from inside the pump.
//
// Queues: the incoming queue is the only one that other threads touch (under its lock); the
// loop thread takes it whole into the work queue, moves delayed tasks to a heap ordered by due
// time and sequence, and defers outer-loop tasks met in nested runs until depth 1.
class MessageLoop : public MessagePump::Delegate {
public:
    enum LoopType : int { kDefaultLoop = 0, kUILoop = 1, kIOLoop = 2 };

    // A default loop, made on the thread that will run it.
    MessageLoop();
    MessageLoop(const MessageLoop&) = delete;
    MessageLoop& operator=(const MessageLoop&) = delete;
    // On the loop's thread after Run: destroys the pending tasks and detaches the proxy.
    ~MessageLoop() override;

    // The calling thread's current loop, or null.
    static MessageLoop* GetCurrentLoopSlot();

    // Runs until the pump quits. The dispatcher, on a UI loop, takes the window messages.
    void Run(WinMessagePump::Dispatcher* dispatcher = nullptr);
    // The innermost run quits at its next idle point; runnable tasks still run first.
    void QuitWhenIdle();

    // Posting from other threads goes through the proxy; the loop's own thread may post here.
    void PostTask(Task task);
    void PostDelayedTask(Task task, TimeDelta delay);
    // Outer-loop tasks run only at run depth 1.
    void PostOuterLoopTask(Task task);
    void PostOuterLoopDelayedTask(Task task, TimeDelta delay);
    virtual void EnqueueIncoming(QueuedTask task);

    bool RunImmediateTasks() override;
    bool RunDueDelayedTask(std::int64_t& next_due_time) override;
    bool RunIdleTasks() override;

    int loop_type() const { return loop_type_; }
    const std::shared_ptr<MessageLoopProxy>& proxy() const { return proxy_; }

protected:
    MessageLoop(int loop_type, std::shared_ptr<MessagePump> pump);

private:
    void ReloadWorkQueue();
    void RunTask(QueuedTask& task);
    // True when the task became the earliest delayed task.
    bool AddToDelayedHeap(QueuedTask task);
    QueuedTask PopDelayedTop();
    // True when the delayed heap held tasks.
    bool DropPendingTasks();
    bool IncomingQueueEmpty();
    bool AtOuterLevel() const;

    const int loop_type_;
    std::shared_ptr<MessagePump> pump_;
    LoopRunState* run_state_ = nullptr;
    bool nestable_tasks_allowed_ = true;

    Lock incoming_lock_;
    std::deque<QueuedTask> incoming_queue_;  // under incoming_lock_

    std::deque<QueuedTask> work_queue_;
    std::deque<QueuedTask> deferred_queue_;
    std::vector<QueuedTask> delayed_heap_;
    std::int64_t next_sequence_ = 0;
    std::int64_t recent_time_ = 0;  // cached clock reading; 0 when none

    std::shared_ptr<MessageLoopProxy> proxy_;
};

}  // namespace kbase
