#pragma once

#include <windows.h>

#include <cstdint>

#include "base/unique_handle.h"
#include "base/win_message_pump.h"

namespace kbase {

// The pump of a UI loop: runs the thread's window messages and serves tasks through a hidden
// message-only window, whose procedure also runs inside other message loops (modal dialogs,
// menus) so that tasks are not starved there.
class WinUIMessagePump : public WinMessagePump {
public:
    // The have-work message, posted to the message window with the pump as first parameter.
    static constexpr UINT kHaveWorkMessage = WM_USER + 1;

    WinUIMessagePump();
    ~WinUIMessagePump() override;

    void WakeUp() override;
    void SetWakeUpTime(const std::int64_t& due_time) override;

    HWND message_window() const { return window_.Get(); }

protected:
    void RunLoop() override;

private:
    struct WindowTraits {
        using Raw = HWND;
        static Raw Invalid() { return nullptr; }
        static void Close(Raw window) { ::DestroyWindow(window); }
    };
    struct WindowClassTraits {
        using Raw = ATOM;
        static Raw Invalid() { return 0; }
        static void Close(Raw atom) { ::UnregisterClassW(MAKEINTATOM(atom), ::GetModuleHandleW(nullptr)); }
    };

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    void HandleWorkMessage();
    void HandleTimerMessage();
    void WaitForWork();
    bool ProcessNextWindowsMessage();
    bool ProcessMessageHelper(const MSG& message);
    bool ProcessPumpReplacementMessage();
    UINT_PTR TimerId() const { return reinterpret_cast<UINT_PTR>(this); }

    // Empty when another pump registered the class first; that pump unregisters it.
    UniqueHandle<WindowClassTraits> window_class_;
    UniqueHandle<WindowTraits> window_;
};

}  // namespace kbase
