#include "ui/clipboard_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// Puts one block of bytes on the clipboard under a format, exactly as given (no terminator
// added).
bool PutBlock(UINT format, const void* bytes, std::size_t size) {
    if (!::OpenClipboard(nullptr)) return false;
    ::EmptyClipboard();
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, size);
    bool ok = false;
    if (void* memory = block ? ::GlobalLock(block) : nullptr) {
        std::memcpy(memory, bytes, size);
        ::GlobalUnlock(block);
        ok = ::SetClipboardData(format, block) != nullptr;
    }
    if (!ok && block) ::GlobalFree(block);
    ::CloseClipboard();
    return ok;
}

TEST(ClipboardText, ReadsUpToTheTerminatorAndNeverPastTheBlock) {
    const wchar_t withZero[] = {L'1', L'2', L'\0', L'3', L'4'};
    ASSERT_TRUE(PutBlock(CF_UNICODETEXT, withZero, sizeof(withZero)));
    EXPECT_EQ(ui::ReadClipboardText(nullptr), L"12");

    // A block that holds no terminator: nothing is read past its end. (Wine terminates such a
    // block inside it, so the last character may be gone.)
    const wchar_t unterminated[] = {L'a', L'b', L'c'};
    ASSERT_TRUE(PutBlock(CF_UNICODETEXT, unterminated, sizeof(unterminated)));
    const std::wstring read = ui::ReadClipboardText(nullptr);
    EXPECT_LE(read.size(), 3u);
    EXPECT_EQ(std::wstring(L"abc").substr(0, read.size()), read);

    const char ansi[] = "x9\0tail";
    ASSERT_TRUE(PutBlock(CF_TEXT, ansi, sizeof(ansi)));
    EXPECT_EQ(ui::ReadClipboardText(nullptr), L"x9");
}

TEST(ClipboardText, AnEmptyOrBusyClipboardGivesNoText) {
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    ::CloseClipboard();
    EXPECT_EQ(ui::ReadClipboardText(nullptr), L"");

    // Held open by another window: it cannot be opened, so there is no text.
    const HWND holder = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(::OpenClipboard(holder));
    EXPECT_EQ(ui::ReadClipboardText(::GetDesktopWindow()), L"");
    ::CloseClipboard();
    ::DestroyWindow(holder);
}

}  // namespace
