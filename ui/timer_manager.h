#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "base/unique_handle.h"
#include "base/weak_callback.h"
#include "ui/wake_timer.h"

namespace ui {

// How the multimedia timer runs while the earliest timer waits: every 16 ms when it is due
// within a second, otherwise once, shortly after it is due, but never later than the longest
// period a multimedia timer takes everywhere (a longer wait is polled again on the way).
struct TimerWake {
    UINT periodMs;
    bool fast;
};
constexpr UINT kFastTimerPeriodMs = 16;
constexpr UINT kLongestTimerPeriodMs = 65535;
TimerWake WakeForWait(std::int64_t waitTicks, std::int64_t frequency);

// A period in performance-counter ticks; at least one tick, so that a timer that comes due
// again runs at the next poll rather than again within the same one.
std::int64_t PeriodTicks(int periodMs, std::int64_t frequency);

// The process-wide scheduler of repeating callbacks on the UI thread (the thread that first
// uses it), woken by a wake timer that posts to a hidden message-only window. One timer serves
// every callback; it ticks fast only while something is due soon.
class TimerManager {
public:
    static constexpr UINT kPollMessage = WakeTimer::kWakeMessage;

    static TimerManager* GetInstance();

    // Runs the callback every periodMs, repeat times (-1: without end), while the flag lives.
    // Always true.
    bool AddCancelableTimer(const std::weak_ptr<kbase::WeakFlag>& flag, const std::function<void()>& callback,
                            int periodMs, int repeat);

private:
    struct Record {
        std::function<void()> callback;
        std::int64_t period = 0;  // counter ticks
        int repeat = 0;
        std::int64_t due = 0;  // counter ticks
        std::weak_ptr<kbase::WeakFlag> flag;
    };
    struct WindowTraits {
        using Raw = HWND;
        static Raw Invalid() { return nullptr; }
        static void Close(Raw window) { ::DestroyWindow(window); }
    };

    TimerManager();
    ~TimerManager() = default;

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    // Later due times sink, so that the heap's front is the earliest.
    static bool DueLater(const Record& left, const Record& right);
    void Push(Record record);
    Record PopEarliest();
    void Poll();
    // Starts the timer for the wake unless the fast one already runs.
    void RunWakeTimer(TimerWake wake);

    std::vector<Record> records_;  // a heap, earliest due first
    std::int64_t frequency_ = 0;
    bool fastActive_ = true;
    kbase::UniqueHandle<WindowTraits> window_;
    std::optional<WakeTimer> timer_;  // of window_; last: stopped before anything else goes
};

}  // namespace ui
