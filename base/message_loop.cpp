#include "base/message_loop.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "base/default_message_pump.h"
#include "base/lazy_tls_slot.h"
#include "base/message_loop_proxy.h"

namespace kbase {

namespace {
LazyTlsSlot current_loop_slot;

// Closures destroyed with the loop may post new ones; this many passes dispose of them.
constexpr int kMaxDropPasses = 100;

// Saturates instead of overflowing; a negative delay means "now".
std::int64_t DueTimeAfter(TimeDelta delay) {
    const std::int64_t now = NowMicroseconds();
    if (delay <= 0) return now;
    if (delay > std::numeric_limits<std::int64_t>::max() - now) return std::numeric_limits<std::int64_t>::max();
    return now + delay;
}

// Heap order: earliest due time on top, then the lower sequence number.
bool RunsLater(const QueuedTask& a, const QueuedTask& b) {
    if (a.due_time != b.due_time) return a.due_time > b.due_time;
    return a.sequence > b.sequence;
}

QueuedTask MakeTask(Task task, std::int64_t due_time, bool nestable) {
    QueuedTask queued;
    queued.due_time = due_time;
    queued.nestable = nestable;
    queued.task = std::move(task);
    return queued;
}
}  // namespace

MessageLoop::MessageLoop() : MessageLoop(kDefaultLoop, std::make_shared<DefaultMessagePump>()) {}

MessageLoop::MessageLoop(int loop_type, std::shared_ptr<MessagePump> pump)
    : loop_type_(loop_type), pump_(std::move(pump)) {
    current_loop_slot.Set(this);
    proxy_ = MessageLoopProxy::Create(this);
}

MessageLoop::~MessageLoop() {
    for (int pass = 0; pass < kMaxDropPasses; ++pass) {
        DropPendingTasks();
        ReloadWorkQueue();
        const bool had_delayed = DropPendingTasks();
        // Also go on while destructors have posted immediate tasks: left in the queue they would
        // be destroyed with it, posting into a queue that is being destroyed.
        if (!had_delayed && IncomingQueueEmpty()) break;
    }
    proxy_->DetachLoop();
    proxy_.reset();
    if (GetCurrentLoopSlot() == this) current_loop_slot.Set(nullptr);
}

MessageLoop* MessageLoop::GetCurrentLoopSlot() { return static_cast<MessageLoop*>(current_loop_slot.Get()); }

void MessageLoop::Run(WinMessagePump::Dispatcher* dispatcher) {
    LoopRunState state;
    state.run_depth = run_state_ ? run_state_->run_depth + 1 : 1;
    state.dispatcher = dispatcher;
    LoopRunState* const previous = std::exchange(run_state_, &state);
    if (dispatcher && loop_type_ == kUILoop) {
        // A UI loop's pump is always a Windows pump.
        static_cast<WinMessagePump&>(*pump_).RunWithDispatcher(this, dispatcher);
    } else {
        pump_->Run(this);
    }
    run_state_ = previous;
}

void MessageLoop::QuitWhenIdle() {
    if (run_state_) run_state_->quit_when_idle = true;
}

void MessageLoop::PostTask(Task task) { EnqueueIncoming(MakeTask(std::move(task), 0, true)); }

void MessageLoop::PostDelayedTask(Task task, TimeDelta delay) {
    EnqueueIncoming(MakeTask(std::move(task), DueTimeAfter(delay), true));
}

void MessageLoop::PostOuterLoopTask(Task task) { EnqueueIncoming(MakeTask(std::move(task), 0, false)); }

void MessageLoop::PostOuterLoopDelayedTask(Task task, TimeDelta delay) {
    EnqueueIncoming(MakeTask(std::move(task), DueTimeAfter(delay), false));
}

void MessageLoop::EnqueueIncoming(QueuedTask task) {
    bool was_empty = false;
    {
        AutoLock guard(incoming_lock_);
        was_empty = incoming_queue_.empty();
        incoming_queue_.push_back(std::move(task));
    }
    // Only the first post into an empty queue wakes the pump; the loop takes the rest with it.
    if (was_empty) {
        const std::shared_ptr<MessagePump> pump = pump_;
        pump->WakeUp();
    }
}

bool MessageLoop::RunImmediateTasks() {
    if (!nestable_tasks_allowed_) return false;  // a task is running: never run one inside another
    ReloadWorkQueue();
    while (!work_queue_.empty()) {
        QueuedTask task = std::move(work_queue_.front());
        work_queue_.pop_front();
        if (task.due_time != 0) {
            const std::int64_t due_time = task.due_time;
            if (AddToDelayedHeap(std::move(task))) pump_->SetWakeUpTime(due_time);
        } else if (task.nestable || AtOuterLevel()) {
            RunTask(task);
            return true;
        } else {
            deferred_queue_.push_back(std::move(task));
        }
        if (work_queue_.empty()) ReloadWorkQueue();
    }
    return false;
}

bool MessageLoop::RunDueDelayedTask(std::int64_t& next_due_time) {
    if (!nestable_tasks_allowed_ || delayed_heap_.empty()) {
        recent_time_ = 0;
        next_due_time = 0;
        return false;
    }
    const std::int64_t top_due_time = delayed_heap_.front().due_time;
    if (top_due_time > recent_time_) {
        recent_time_ = NowMicroseconds();
        if (top_due_time > recent_time_) {
            next_due_time = top_due_time;
            return false;
        }
    }
    QueuedTask task = PopDelayedTop();
    if (!delayed_heap_.empty()) next_due_time = delayed_heap_.front().due_time;
    if (task.nestable || AtOuterLevel()) {
        RunTask(task);
        return true;
    }
    deferred_queue_.push_back(std::move(task));
    return false;
}

bool MessageLoop::RunIdleTasks() {
    if (AtOuterLevel() && !deferred_queue_.empty()) {
        QueuedTask task = std::move(deferred_queue_.front());
        deferred_queue_.pop_front();
        RunTask(task);
        return true;
    }
    if (run_state_ && run_state_->quit_when_idle) pump_->Quit();
    return false;
}

void MessageLoop::ReloadWorkQueue() {
    if (!work_queue_.empty()) return;
    AutoLock guard(incoming_lock_);
    work_queue_.swap(incoming_queue_);
}

void MessageLoop::RunTask(QueuedTask& task) {
    nestable_tasks_allowed_ = false;
    if (task.task) task.task();
    nestable_tasks_allowed_ = true;
}

bool MessageLoop::AddToDelayedHeap(QueuedTask task) {
    const std::int64_t sequence = next_sequence_++;
    task.sequence = sequence;
    delayed_heap_.push_back(std::move(task));
    std::push_heap(delayed_heap_.begin(), delayed_heap_.end(), RunsLater);
    return delayed_heap_.front().sequence == sequence;
}

QueuedTask MessageLoop::PopDelayedTop() {
    std::pop_heap(delayed_heap_.begin(), delayed_heap_.end(), RunsLater);
    QueuedTask top = std::move(delayed_heap_.back());
    delayed_heap_.pop_back();
    return top;
}

bool MessageLoop::DropPendingTasks() {
    while (!work_queue_.empty()) {
        QueuedTask task = std::move(work_queue_.front());
        work_queue_.pop_front();
        // Delayed tasks go through the heap so that they are destroyed in due order.
        if (task.due_time != 0) AddToDelayedHeap(std::move(task));
    }
    std::deque<QueuedTask> deferred;
    deferred.swap(deferred_queue_);
    deferred.clear();
    const bool had_delayed = !delayed_heap_.empty();
    while (!delayed_heap_.empty()) PopDelayedTop();
    return had_delayed;
}

bool MessageLoop::IncomingQueueEmpty() {
    AutoLock guard(incoming_lock_);
    return incoming_queue_.empty();
}

bool MessageLoop::AtOuterLevel() const { return !run_state_ || run_state_->run_depth == 1; }

}  // namespace kbase
