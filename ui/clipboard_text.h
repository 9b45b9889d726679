#pragma once

#include <windows.h>

#include <string>

namespace ui {

// The clipboard's text: CF_UNICODETEXT, else CF_TEXT converted from the ANSI code page. Read up
// to the text's terminator and never past the clipboard block; empty when the clipboard cannot
// be opened, holds no text, or its block cannot be locked.
std::wstring ReadClipboardText(HWND owner);

}  // namespace ui
