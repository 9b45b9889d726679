#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

namespace zel_comp {

// GetKeyState's answer for a virtual key: high bit down, low bit toggled on.
using KeyStateReader = std::function<SHORT(int virtualKey)>;

// The browser runtime's event flags of a mouse message (its wParam) and of a keyboard message;
// the key states are the calling thread's.
std::uint32_t MouseEventFlags(WPARAM wParam);
std::uint32_t KeyEventFlags(WPARAM wParam, LPARAM lParam);

// The same with the key states read through keyState.
std::uint32_t MouseEventFlags(WPARAM wParam, const KeyStateReader& keyState);
std::uint32_t KeyEventFlags(WPARAM wParam, LPARAM lParam, const KeyStateReader& keyState);

}  // namespace zel_comp
