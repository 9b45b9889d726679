#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace ui {

class Control;

// Event numbers; the gaps are unused. Stored and compared as plain ints.
enum EventType {
    kEventInternalDoubleClick = 0,
    kEventInternalMenu = 1,
    kEventInternalSetFocus = 2,
    kEventInternalKillFocus = 3,
    kEventNone = 4,
    kEventAll = 6,  // catch-all key of the handler maps; never sent
    kEventKeyDown = 8,
    kEventKeyUp = 9,
    kEventChar = 10,
    kEventSystemKey = 11,
    kEventMouseMove = 14,
    kEventMouseEnter = 15,
    kEventMouseLeave = 16,
    kEventMouseHover = 17,
    kEventMouseButtonDown = 18,
    kEventMouseButtonUp = 19,
    kEventMouseRightButtonDown = 20,
    kEventMouseRightButtonUp = 21,
    kEventMouseDoubleClick = 22,
    kEventMouseMenu = 23,
    kEventMouseScrollWheel = 24,
    kEventTouchDown = 27,
    kEventTouchMove = 28,
    kEventTouchUp = 29,
    kEventPointerDown = 32,
    kEventPointerUpdate = 33,
    kEventPointerUp = 34,
    kEventSetFocus = 36,
    kEventKillFocus = 37,
    kEventWindowSize = 38,
    kEventWindowClose = 39,
    kEventSetCursor = 40,
    kEventClick = 41,
    kEventSelect = 42,
    kEventUnSelect = 43,
    kEventTextChange = 44,
    kEventReturn = 45,
    kEventTab = 46,
    kEventLinkClick = 47,
    kEventImeStartComposition = 48,
    kEventImeEndComposition = 49,
    kEventScrollChange = 50,
    kEventValueChange = 51,
    kEventResize = 52,
};

inline bool IsMouseEvent(int type) {
    return type >= kEventMouseMove && type <= kEventMouseScrollWheel;
}

struct EventArgs {
    int type = kEventNone;
    Control* sender = nullptr;
    DWORD timestamp = 0;
    POINT mousePoint{0, 0};
    wchar_t key = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    float pressure = 0.0f;
};

// Returning false stops the rest of the chain and the default handling.
using EventCallback = std::function<bool(EventArgs*)>;
using EventMap = std::map<int, std::vector<EventCallback>>;

// The event of a skin event element's type word; kEventNone for a word outside the table.
EventType StringToEventType(const std::wstring& name);

}  // namespace ui
