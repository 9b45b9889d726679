#pragma once

#include <windows.h>

#include <string>

namespace ui {

// The DrawText style after a skin's "align" words. Each word found anywhere in the value
// (substring search, in the order left, center, right, top, vcenter, bottom) changes the
// bits as the skins expect; "vcenter" also contains "center" and so centres horizontally.
UINT ApplyAlignWords(UINT style, const std::wstring& words);

// The text style with DT_SINGLELINE set or cleared.
UINT WithSingleLine(UINT style, bool singleLine);

}  // namespace ui
