#include "ui/timer_manager.h"

#include <algorithm>
#include <utility>

namespace ui {

namespace {

constexpr wchar_t kWindowClassName[] = L"UI_ANIMATION_TIMERMANAGER_H_";

std::int64_t ReadCounter() {
    LARGE_INTEGER counter{};
    ::QueryPerformanceCounter(&counter);
    return counter.QuadPart;
}

}  // namespace

TimerWake WakeForWait(std::int64_t waitTicks, std::int64_t frequency) {
    if (frequency <= 0 || waitTicks < frequency) return {kFastTimerPeriodMs, true};
    const std::int64_t periodMs = waitTicks / frequency * 1000 + waitTicks % frequency * 1000 / frequency + 2;
    return {static_cast<UINT>(std::min<std::int64_t>(periodMs, kLongestTimerPeriodMs)), false};
}

std::int64_t PeriodTicks(int periodMs, std::int64_t frequency) {
    return std::max<std::int64_t>(static_cast<std::int64_t>(periodMs) * frequency / 1000, 1);
}

TimerManager* TimerManager::GetInstance() {
    static TimerManager instance;
    return &instance;
}

TimerManager::TimerManager() {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &TimerManager::WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kWindowClassName;
    ::RegisterClassExW(&windowClass);
    window_.Reset(::CreateWindowExW(0, kWindowClassName, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance,
                                    nullptr));
    ::SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    timer_.emplace(window_.Get());
    LARGE_INTEGER frequency{};
    ::QueryPerformanceFrequency(&frequency);
    frequency_ = frequency.QuadPart;
}

LRESULT CALLBACK TimerManager::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == kPollMessage) {
        if (auto* const manager = reinterpret_cast<TimerManager*>(::GetWindowLongPtrW(window, GWLP_USERDATA))) {
            manager->Poll();
        }
        return 1;
    }
    return ::DefWindowProcW(window, message, wparam, lparam);
}

bool TimerManager::AddCancelableTimer(const std::weak_ptr<kbase::WeakFlag>& flag,
                                      const std::function<void()>& callback, int periodMs, int repeat) {
    Record record;
    record.callback = callback;
    record.period = PeriodTicks(periodMs, frequency_);
    record.repeat = repeat;
    record.due = ReadCounter() + record.period;
    record.flag = flag;
    Push(std::move(record));
    RunWakeTimer({kFastTimerPeriodMs, true});
    return true;
}

bool TimerManager::DueLater(const Record& left, const Record& right) {
    return left.due > right.due;
}

void TimerManager::Push(Record record) {
    records_.push_back(std::move(record));
    std::push_heap(records_.begin(), records_.end(), DueLater);
}

TimerManager::Record TimerManager::PopEarliest() {
    std::pop_heap(records_.begin(), records_.end(), DueLater);
    Record record = std::move(records_.back());
    records_.pop_back();
    return record;
}

void TimerManager::Poll() {
    const std::int64_t now = ReadCounter();
    while (!records_.empty()) {
        const std::int64_t wait = records_.front().due - now;
        if (wait > 0) {
            RunWakeTimer(WakeForWait(wait, frequency_));
            return;
        }
        // Out of the heap before the call: the callback may queue timers of its own.
        Record record = PopEarliest();
        if (record.flag.expired()) continue;
        record.callback();
        const bool again = record.repeat == -1 || record.repeat >= 2;
        if (!again || record.flag.expired()) continue;
        if (record.repeat != -1) --record.repeat;
        record.due = now + record.period;
        Push(std::move(record));
    }
    timer_->Stop();
}

void TimerManager::RunWakeTimer(TimerWake wake) {
    if (wake.fast && fastActive_ && timer_->IsRunning()) return;
    timer_->Start(wake.periodMs);
    fastActive_ = wake.fast;
}

}  // namespace ui
