#include "browser/input_event_flags.h"

#include "browser/runtime/cef_types.h"

namespace zel_comp {
namespace {

bool IsDown(const KeyStateReader& keyState, int virtualKey) {
    return (keyState(virtualKey) & 0x8000) != 0;
}

bool IsToggled(const KeyStateReader& keyState, int virtualKey) {
    return (keyState(virtualKey) & 0x0001) != 0;
}

std::uint32_t LockFlags(const KeyStateReader& keyState) {
    std::uint32_t flags = 0;
    if (IsToggled(keyState, VK_NUMLOCK)) flags |= EVENTFLAG_NUM_LOCK_ON;
    if (IsToggled(keyState, VK_CAPITAL)) flags |= EVENTFLAG_CAPS_LOCK_ON;
    return flags;
}

// Left-hand or right-hand for a modifier key that has both.
std::uint32_t SideFlag(const KeyStateReader& keyState, int leftKey, int rightKey) {
    if (IsDown(keyState, leftKey)) return EVENTFLAG_IS_LEFT;
    if (IsDown(keyState, rightKey)) return EVENTFLAG_IS_RIGHT;
    return 0;
}

constexpr std::uint32_t kKeyPad = EVENTFLAG_IS_KEY_PAD;

// The flag that the virtual key itself adds.
std::uint32_t KeyFlag(WPARAM virtualKey, LPARAM lParam, const KeyStateReader& keyState) {
    const bool extended = (lParam & (1 << 24)) != 0;
    switch (virtualKey) {
        case VK_CLEAR:
        case VK_MULTIPLY:
        case VK_ADD:
        case VK_SUBTRACT:
        case VK_DECIMAL:
        case VK_DIVIDE:
        case VK_NUMLOCK:
            return EVENTFLAG_IS_KEY_PAD;
        case VK_RETURN:
            return extended ? kKeyPad : 0;
        case VK_INSERT:
        case VK_DELETE:
            return extended ? 0 : kKeyPad;
        case VK_SHIFT:
            return SideFlag(keyState, VK_LSHIFT, VK_RSHIFT);
        case VK_CONTROL:
            return SideFlag(keyState, VK_LCONTROL, VK_RCONTROL);
        case VK_MENU:
            return SideFlag(keyState, VK_LMENU, VK_RMENU);
        case VK_LWIN:
            return EVENTFLAG_IS_LEFT;
        case VK_RWIN:
            return EVENTFLAG_IS_RIGHT;
        default:
            break;
    }
    if (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_NUMPAD9) return EVENTFLAG_IS_KEY_PAD;
    if (virtualKey >= VK_PRIOR && virtualKey <= VK_DOWN) return extended ? 0 : kKeyPad;
    return 0;
}

SHORT SystemKeyState(int virtualKey) {
    return ::GetKeyState(virtualKey);
}

}  // namespace

std::uint32_t MouseEventFlags(WPARAM wParam, const KeyStateReader& keyState) {
    std::uint32_t flags = LockFlags(keyState);
    if (wParam & MK_SHIFT) flags |= EVENTFLAG_SHIFT_DOWN;
    if (wParam & MK_CONTROL) flags |= EVENTFLAG_CONTROL_DOWN;
    if (IsDown(keyState, VK_MENU)) flags |= EVENTFLAG_ALT_DOWN;
    if (wParam & MK_LBUTTON) flags |= EVENTFLAG_LEFT_MOUSE_BUTTON;
    if (wParam & MK_MBUTTON) flags |= EVENTFLAG_MIDDLE_MOUSE_BUTTON;
    if (wParam & MK_RBUTTON) flags |= EVENTFLAG_RIGHT_MOUSE_BUTTON;
    return flags;
}

std::uint32_t KeyEventFlags(WPARAM wParam, LPARAM lParam, const KeyStateReader& keyState) {
    std::uint32_t flags = LockFlags(keyState);
    if (IsDown(keyState, VK_SHIFT)) flags |= EVENTFLAG_SHIFT_DOWN;
    if (IsDown(keyState, VK_CONTROL)) flags |= EVENTFLAG_CONTROL_DOWN;
    if (IsDown(keyState, VK_MENU)) flags |= EVENTFLAG_ALT_DOWN;
    return flags | KeyFlag(wParam, lParam, keyState);
}

std::uint32_t MouseEventFlags(WPARAM wParam) {
    return MouseEventFlags(wParam, SystemKeyState);
}

std::uint32_t KeyEventFlags(WPARAM wParam, LPARAM lParam) {
    return KeyEventFlags(wParam, lParam, SystemKeyState);
}

}  // namespace zel_comp
