#include "ui/event_args.h"

#include <utility>

namespace ui {

EventType StringToEventType(const std::wstring& name) {
    static const std::pair<const wchar_t*, EventType> kNames[] = {
        {L"all", kEventAll},
        {L"keydown", kEventKeyDown},
        {L"keyup", kEventKeyUp},
        {L"char", kEventChar},
        {L"syskey", kEventSystemKey},
        {L"mousemove", kEventMouseMove},
        {L"mouseenter", kEventMouseEnter},
        {L"mouseleave", kEventMouseLeave},
        {L"mousehover", kEventMouseHover},
        {L"buttondown", kEventMouseButtonDown},
        {L"buttonup", kEventMouseButtonUp},
        {L"rbuttondown", kEventMouseRightButtonDown},
        {L"doubleclick", kEventMouseDoubleClick},
        {L"menu", kEventMouseMenu},
        {L"scrollwheel", kEventMouseScrollWheel},
        {L"setfocus", kEventSetFocus},
        {L"killfocus", kEventKillFocus},
        {L"windowclose", kEventWindowClose},
        {L"setcursor", kEventSetCursor},
        {L"select", kEventSelect},
        {L"unselect", kEventUnSelect},
        {L"return", kEventReturn},
        {L"tab", kEventTab},
        {L"scrollchange", kEventScrollChange},
        {L"valuechange", kEventValueChange},
    };
    for (const auto& [word, type] : kNames) {
        if (name == word) return type;
    }
    return kEventNone;
}

}  // namespace ui
