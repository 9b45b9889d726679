#include "browser/input_event_flags.h"

#include <map>

#include <gtest/gtest.h>

namespace {

// Key states as GetKeyState would give them: listed keys are down, or toggled on.
zel_comp::KeyStateReader Keys(std::map<int, SHORT> states) {
    return [states](int key) -> SHORT {
        const auto it = states.find(key);
        return it == states.end() ? 0 : it->second;
    };
}

constexpr SHORT kDown = static_cast<SHORT>(0x8000);
constexpr SHORT kToggled = 0x0001;
constexpr LPARAM kExtended = 1 << 24;

TEST(MouseEventFlags, TakesButtonsAndShiftControlFromWParamAndTheRestFromKeyStates) {
    struct Case {
        WPARAM wParam;
        std::map<int, SHORT> keys;
        std::uint32_t want;
    } const cases[] = {
        {0, {}, 0},
        {MK_SHIFT | MK_CONTROL, {}, 2 | 4},
        {MK_LBUTTON | MK_MBUTTON | MK_RBUTTON, {}, 16 | 32 | 64},
        // Shift held but not in wParam: the message is what counts for mouse events.
        {0, {{VK_SHIFT, kDown}, {VK_MENU, kDown}}, 8},
        {0, {{VK_NUMLOCK, kToggled}, {VK_CAPITAL, kToggled}}, 256 | 1},
        // Held lock keys that are not toggled on add nothing.
        {0, {{VK_NUMLOCK, kDown}, {VK_CAPITAL, kDown}}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.want);
        EXPECT_EQ(zel_comp::MouseEventFlags(c.wParam, Keys(c.keys)), c.want);
    }
}

TEST(KeyEventFlags, AddsKeyPadAndSideByKeyCode) {
    struct Case {
        WPARAM key;
        LPARAM lParam;
        std::map<int, SHORT> keys;
        std::uint32_t want;
    } const cases[] = {
        {'A', 0, {}, 0},
        {VK_NUMPAD0, 0, {}, 512},
        {VK_NUMPAD9, 0, {}, 512},
        {VK_DIVIDE, 0, {}, 512},
        {VK_CLEAR, 0, {}, 512},
        {VK_NUMLOCK, 0, {{VK_NUMLOCK, kToggled}}, 512 | 256},
        {VK_SEPARATOR, 0, {}, 0},
        // Enter is on the key pad only as an extended key; arrows and the editing keys only
        // when not extended.
        {VK_RETURN, 0, {}, 0},
        {VK_RETURN, kExtended, {}, 512},
        {VK_PRIOR, 0, {}, 512},
        {VK_DOWN, 0, {}, 512},
        {VK_DOWN, kExtended, {}, 0},
        {VK_INSERT, 0, {}, 512},
        {VK_DELETE, kExtended, {}, 0},
        {VK_SHIFT, 0, {{VK_SHIFT, kDown}, {VK_LSHIFT, kDown}}, 2 | 1024},
        {VK_SHIFT, 0, {{VK_SHIFT, kDown}, {VK_RSHIFT, kDown}}, 2 | 2048},
        {VK_CONTROL, 0, {{VK_CONTROL, kDown}, {VK_LCONTROL, kDown}, {VK_RCONTROL, kDown}}, 4 | 1024},
        {VK_MENU, 0, {{VK_MENU, kDown}, {VK_RMENU, kDown}}, 8 | 2048},
        {VK_LWIN, 0, {}, 1024},
        {VK_RWIN, 0, {}, 2048},
        {'C', 0, {{VK_CONTROL, kDown}, {VK_CAPITAL, kToggled}}, 4 | 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "key " << c.key << " lParam " << c.lParam);
        EXPECT_EQ(zel_comp::KeyEventFlags(c.key, c.lParam, Keys(c.keys)), c.want);
    }
}

}  // namespace
