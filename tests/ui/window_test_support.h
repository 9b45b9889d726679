#pragma once

// Real framework windows for tests: a plain ui::Window of a test class that records the
// messages tests ask about, and controls that record the events they handle.

#include <windows.h>

#include <string>
#include <vector>

#include "app/launcher_messages.h"
#include "tests/ui/timer_test_support.h"
#include "ui/control.h"
#include "ui/global_manager.h"
#include "ui/window.h"

namespace window_test {

struct Message {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// A plain window: created, initialised as a form's creation would, destroyed with the object;
// it records every message it gets.
class TestWindow : public ui::Window {
public:
    explicit TestWindow(std::wstring className = L"UiWindowTest") : className_(std::move(className)) {}
    ~TestWindow() override {
        if (hwnd_) ::DestroyWindow(hwnd_);
    }

    std::wstring GetWindowClassName() const override { return className_; }
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        received.push_back({message, wParam, lParam});
        return ui::Window::HandleMessage(message, wParam, lParam);
    }

    // A popup of the rectangle (screen coordinates), shown without activation.
    HWND Open(bool layered, RECT rect, HWND owner = nullptr) {
        ui::GlobalManager::StartupRender();
        const HWND hwnd = Create(owner, L"window test", WS_POPUP, 0, layered, rect);
        if (hwnd) {
            Init(hwnd);
            ::ShowWindow(hwnd, SW_SHOWNOACTIVATE);
        }
        return hwnd;
    }

    // The last message of a kind; a null message when there was none.
    Message Last(UINT message) const {
        for (auto it = received.rbegin(); it != received.rend(); ++it) {
            if (it->message == message) return *it;
        }
        return Message{0, 0, 0};
    }

    int Count(UINT message) const {
        int count = 0;
        for (const Message& m : received) count += m.message == message ? 1 : 0;
        return count;
    }

    std::vector<Message> received;

    using ui::Window::HandlePointerContact;
    using ui::Window::HandleTouchContact;
    using ContactPhase = ui::Window::ContactPhase;
    using PointerContact = ui::Window::PointerContact;

private:
    std::wstring className_;
};

struct Event {
    int type;
    WPARAM wParam;
    LPARAM lParam;
    POINT point;
    float pressure;
};

// A control of a fixed size that records the events its default handling sees and counts its
// activations (a click).
class RecordingControl : public ui::Control {
public:
    RecordingControl(int width, int height) {
        SetFixedWidth(width, true, false);
        SetFixedHeight(height, false);
    }
    void HandleEvent(ui::EventArgs* args) override {
        events.push_back({args->type, args->wParam, args->lParam, args->mousePoint, args->pressure});
        ui::Control::HandleEvent(args);
    }
    void Activate() override { ++activations; }

    std::vector<int> Types() const {
        std::vector<int> types;
        for (const Event& e : events) types.push_back(e.type);
        return types;
    }
    // The events of the listed types only, in order.
    std::vector<int> TypesAmong(std::initializer_list<int> wanted) const {
        std::vector<int> types;
        for (const Event& e : events) {
            for (int w : wanted) {
                if (e.type == w) types.push_back(e.type);
            }
        }
        return types;
    }
    const Event* First(int type) const {
        for (const Event& e : events) {
            if (e.type == type) return &e;
        }
        return nullptr;
    }
    bool Saw(int type) const { return First(type) != nullptr; }

    std::vector<Event> events;
    int activations = 0;
};

// Pumps until the window has painted its first layout.
inline bool PumpUntilLaidOut(const ui::Window& window) {
    return ui_test::PumpMessagesUntil([&window] { return !window.IsArrangePending(); });
}

// Dispatches every message queued by now, however long that takes on a loaded machine, then
// whatever comes within a short while: posted deletions, paints, timers.
inline void PumpPending() {
    MSG message;
    for (int queued = 0; queued < 10000 && ::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); ++queued) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    ui_test::PumpMessagesUntil([] { return false; }, 50);
}

inline LPARAM At(int x, int y) {
    return MAKELPARAM(x, y);
}

}  // namespace window_test
