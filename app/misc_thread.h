#pragma once

#include "app/thread_ids.h"
#include "base/framework_thread.h"
#include "base/time.h"

// The worker thread: all update, download and telemetry work, and every message to the game,
// runs on its tick.
class MiscThread : public kbase::FrameworkThread {
public:
    MiscThread();
    ~MiscThread() override;

    static constexpr int kThreadId = kWorkerThreadId;
    // From the end of one worker tick to the start of the next; ticks never overlap.
    static constexpr kbase::TimeDelta kWorkerTickDelay = 2000;  // µs

protected:
    void Init() override;
    void Cleanup() override;

private:
    void WorkerTick();
};
