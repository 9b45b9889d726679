#include "browser/input_event_flags.h"

namespace zel_comp {
namespace {

constexpr std::uint32_t kCapsLockOn = 1;
constexpr std::uint32_t kShiftDown = 2;
constexpr std::uint32_t kControlDown = 4;
constexpr std::uint32_t kAltDown = 8;
constexpr std::uint32_t kLeftMouseButton = 16;
constexpr std::uint32_t kMiddleMouseButton = 32;
constexpr std::uint32_t kRightMouseButton = 64;
constexpr std::uint32_t kNumLockOn = 256;
constexpr std::uint32_t kIsKeyPad = 512;
constexpr std::uint32_t kIsLeft = 1024;
constexpr std::uint32_t kIsRight = 2048;

bool IsDown(const KeyStateReader& keyState, int virtualKey) {
    return (keyState(virtualKey) & 0x8000) != 0;
}

bool IsToggled(const KeyStateReader& keyState, int virtualKey) {
    return (keyState(virtualKey) & 0x0001) != 0;
}

std::uint32_t LockFlags(const KeyStateReader& keyState) {
    std::uint32_t flags = 0;
    if (IsToggled(keyState, VK_NUMLOCK)) flags |= kNumLockOn;
    if (IsToggled(keyState, VK_CAPITAL)) flags |= kCapsLockOn;
    return flags;
}

// Left-hand or right-hand for a modifier key that has both.
std::uint32_t SideFlag(const KeyStateReader& keyState, int leftKey, int rightKey) {
    if (IsDown(keyState, leftKey)) return kIsLeft;
    if (IsDown(keyState, rightKey)) return kIsRight;
    return 0;
}

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
            return kIsKeyPad;
        case VK_RETURN:
            return extended ? kIsKeyPad : 0;
        case VK_INSERT:
        case VK_DELETE:
            return extended ? 0 : kIsKeyPad;
        case VK_SHIFT:
            return SideFlag(keyState, VK_LSHIFT, VK_RSHIFT);
        case VK_CONTROL:
            return SideFlag(keyState, VK_LCONTROL, VK_RCONTROL);
        case VK_MENU:
            return SideFlag(keyState, VK_LMENU, VK_RMENU);
        case VK_LWIN:
            return kIsLeft;
        case VK_RWIN:
            return kIsRight;
        default:
            break;
    }
    if (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_NUMPAD9) return kIsKeyPad;
    if (virtualKey >= VK_PRIOR && virtualKey <= VK_DOWN) return extended ? 0 : kIsKeyPad;
    return 0;
}

SHORT SystemKeyState(int virtualKey) {
    return ::GetKeyState(virtualKey);
}

}  // namespace

std::uint32_t MouseEventFlags(WPARAM wParam, const KeyStateReader& keyState) {
    std::uint32_t flags = LockFlags(keyState);
    if (wParam & MK_SHIFT) flags |= kShiftDown;
    if (wParam & MK_CONTROL) flags |= kControlDown;
    if (IsDown(keyState, VK_MENU)) flags |= kAltDown;
    if (wParam & MK_LBUTTON) flags |= kLeftMouseButton;
    if (wParam & MK_MBUTTON) flags |= kMiddleMouseButton;
    if (wParam & MK_RBUTTON) flags |= kRightMouseButton;
    return flags;
}

std::uint32_t KeyEventFlags(WPARAM wParam, LPARAM lParam, const KeyStateReader& keyState) {
    std::uint32_t flags = LockFlags(keyState);
    if (IsDown(keyState, VK_SHIFT)) flags |= kShiftDown;
    if (IsDown(keyState, VK_CONTROL)) flags |= kControlDown;
    if (IsDown(keyState, VK_MENU)) flags |= kAltDown;
    return flags | KeyFlag(wParam, lParam, keyState);
}

std::uint32_t MouseEventFlags(WPARAM wParam) {
    return MouseEventFlags(wParam, SystemKeyState);
}

std::uint32_t KeyEventFlags(WPARAM wParam, LPARAM lParam) {
    return KeyEventFlags(wParam, lParam, SystemKeyState);
}

}  // namespace zel_comp
