#include "base/win_ui_message_pump.h"

#include "base/pump_wait_time.h"

namespace kbase {

namespace {
constexpr wchar_t kWindowClassName[] = L"SabruneMessagePumpWindow";
// Code for CallMsgFilter, so that message hooks see the messages this loop takes.
constexpr int kMessageFilterCode = 0x5001;
constexpr UINT kMouseFirst = 0x200;
constexpr UINT kMouseLast = 0x20D;
}  // namespace

WinUIMessagePump::WinUIMessagePump() {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW window_class = {};
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = &WinUIMessagePump::WindowProc;
    window_class.hInstance = instance;
    window_class.lpszClassName = kWindowClassName;
    window_class_.Reset(::RegisterClassExW(&window_class));
    window_.Reset(::CreateWindowExW(0, kWindowClassName, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance,
                                    nullptr));
    ::SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

WinUIMessagePump::~WinUIMessagePump() {
    ::KillTimer(window_.Get(), TimerId());
    window_.Reset();  // before the class goes
}

LRESULT CALLBACK WinUIMessagePump::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* const pump = reinterpret_cast<WinUIMessagePump*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (pump) {
        if (message == kHaveWorkMessage) {
            pump->HandleWorkMessage();
        } else if (message == WM_TIMER && wparam == pump->TimerId()) {
            pump->HandleTimerMessage();
        }
    }
    return ::DefWindowProcW(window, message, wparam, lparam);
}

void WinUIMessagePump::WakeUp() {
    if (have_work_.exchange(1) != 0) return;  // a wake-up is already queued
    // A full queue refuses the post; clear the flag so that a later wake-up can try again.
    if (!::PostMessageW(window_.Get(), kHaveWorkMessage, reinterpret_cast<WPARAM>(this), 0)) have_work_.exchange(0);
}

void WinUIMessagePump::SetWakeUpTime(const std::int64_t& due_time) {
    delayed_work_time_ = due_time;
    ::SetTimer(window_.Get(), TimerId(), internal::TimerMilliseconds(MillisecondsUntilWakeUp()), nullptr);
}

void WinUIMessagePump::HandleWorkMessage() {
    if (!state_) {
        have_work_.exchange(0);
        return;
    }
    ProcessPumpReplacementMessage();
    if (state_->delegate->RunImmediateTasks()) WakeUp();
}

void WinUIMessagePump::HandleTimerMessage() {
    ::KillTimer(window_.Get(), TimerId());
    if (!state_) return;
    state_->delegate->RunDueDelayedTask(delayed_work_time_);
    if (delayed_work_time_ != 0) SetWakeUpTime(delayed_work_time_);
}

void WinUIMessagePump::RunLoop() {
    for (;;) {
        bool more_work = ProcessNextWindowsMessage();
        if (state_->should_quit) break;
        more_work |= state_->delegate->RunImmediateTasks();
        if (state_->should_quit) break;
        more_work |= state_->delegate->RunDueDelayedTask(delayed_work_time_);
        if (more_work && delayed_work_time_ == 0) ::KillTimer(window_.Get(), TimerId());
        if (state_->should_quit) break;
        if (more_work) continue;
        more_work = state_->delegate->RunIdleTasks();
        if (state_->should_quit) break;
        if (more_work) continue;
        WaitForWork();
    }
}

void WinUIMessagePump::WaitForWork() {
    const DWORD wait = internal::WaitMilliseconds(MillisecondsUntilWakeUp());
    const DWORD result = ::MsgWaitForMultipleObjectsEx(0, nullptr, wait, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (result != WAIT_OBJECT_0) return;
    // Mouse input that no peek in the mouse range can see (it belongs to another window's
    // capture) would end every wait at once; wait for a new message instead of spinning.
    const DWORD status = ::GetQueueStatus(QS_MOUSE);
    MSG message;
    if ((HIWORD(status) & QS_MOUSE) && !::PeekMessageW(&message, nullptr, kMouseFirst, kMouseLast, PM_NOREMOVE)) {
        ::WaitMessage();
    }
}

bool WinUIMessagePump::ProcessNextWindowsMessage() {
    const bool sent_message_pending = (HIWORD(::GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE) != 0;
    MSG message;
    if (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) return ProcessMessageHelper(message);
    return sent_message_pending;  // the peek has handled it
}

bool WinUIMessagePump::ProcessMessageHelper(const MSG& message) {
    if (message.message == WM_QUIT) {
        state_->should_quit = true;
        // The enclosing loop must see the quit as well.
        ::PostQuitMessage(static_cast<int>(message.wParam));
        return false;
    }
    if (message.message == kHaveWorkMessage && message.hwnd == window_.Get()) return ProcessPumpReplacementMessage();
    if (::CallMsgFilterW(const_cast<MSG*>(&message), kMessageFilterCode)) return true;
    if (!state_->dispatcher) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    } else if (!state_->dispatcher->Dispatch(message)) {
        state_->should_quit = true;
    }
    return true;
}

bool WinUIMessagePump::ProcessPumpReplacementMessage() {
    // The have-work message was taken; handle the next message in its place so that a stream
    // of posts cannot starve input and painting.
    MSG message;
    const bool have_message = ::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE;
    have_work_.exchange(0);
    if (!have_message) return false;
    WakeUp();
    return ProcessMessageHelper(message);
}

}  // namespace kbase
