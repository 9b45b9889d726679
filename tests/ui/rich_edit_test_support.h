#pragma once

// Rich edit fields in a real window, driven by real input: keys through SendInput (so the
// text services see the key states they ask for), clicks as mouse messages, and the real
// clipboard.

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/ui/window_test_support.h"
#include "ui/box.h"
#include "ui/layout.h"
#include "ui/ole_scope.h"
#include "ui/rich_edit.h"

namespace rich_edit_test {

// Puts the keyboard focus on a window, as a click on it would.
inline bool Activate(HWND hwnd) {
    ::SetForegroundWindow(hwnd);
    ::SetFocus(hwnd);
    return ui_test::PumpMessagesUntil([hwnd] { return ::GetForegroundWindow() == hwnd && ::GetFocus() == hwnd; });
}

inline INPUT Key(WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

// Presses the keys in order and releases them in reverse (a chord such as Ctrl+V), pumping
// what each half caused: the keys are held while their messages are handled, as a hand holds
// them, so the asynchronous key state agrees.
inline void PressChord(std::initializer_list<WORD> keys) {
    std::vector<INPUT> downs;
    std::vector<INPUT> ups;
    for (WORD vk : keys) downs.push_back(Key(vk, false));
    for (auto it = std::rbegin(keys); it != std::rend(keys); ++it) ups.push_back(Key(*it, true));
    ::SendInput(static_cast<UINT>(downs.size()), downs.data(), sizeof(INPUT));
    window_test::PumpPending();
    ::SendInput(static_cast<UINT>(ups.size()), ups.data(), sizeof(INPUT));
    window_test::PumpPending();
}

// Types characters as the keyboard would: each a key press and release.
inline void TypeText(const std::wstring& text) {
    for (wchar_t c : text) {
        const SHORT scan = ::VkKeyScanW(c);
        const WORD vk = LOBYTE(scan);
        if (HIBYTE(scan) & 1) PressChord({VK_SHIFT, vk});
        else PressChord({vk});
    }
}

// Replaces the clipboard's content with a text; false when the clipboard could not be had.
inline bool SetClipboardText(const std::wstring& text) {
    if (!::OpenClipboard(nullptr)) return false;
    ::EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    bool ok = false;
    if (void* memory = block ? ::GlobalLock(block) : nullptr) {
        std::memcpy(memory, text.c_str(), bytes);
        ::GlobalUnlock(block);
        ok = ::SetClipboardData(CF_UNICODETEXT, block) != nullptr;
    }
    if (!ok && block) ::GlobalFree(block);
    ::CloseClipboard();
    return ok;
}

inline std::wstring GetClipboardText() {
    std::wstring text;
    if (!::OpenClipboard(nullptr)) return text;
    if (HGLOBAL block = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(::GlobalLock(block))) {
            text = chars;
            ::GlobalUnlock(block);
        }
    }
    ::CloseClipboard();
    return text;
}

// A window with edits stacked from the top, each 300 x 40 (fixed sizes, so layout is plain).
class EditWindow {
public:
    EditWindow() : root_(new ui::Box(new ui::Layout)) {
        ui::GlobalManager::StartupRender();
        ui::GlobalManager::AddFont(L"edit_test_font", L"Tahoma", 14, false, false, false, true);
        ui::GlobalManager::AddTextColor(L"edit_test_background", 0xFFFFFFFF);
        root_->SetBkColor(L"edit_test_background");
    }

    // Adds an edit with skin attributes ("name='value'" pairs); call before Open.
    ui::RichEdit* AddEdit(const std::wstring& attributes, int height = 40) {
        auto* edit = new ui::RichEdit;
        edit->SetFixedWidth(300, true, false);
        edit->SetFixedHeight(height, false);
        edit->SetAttribute(L"float", L"true");
        edit->SetAttribute(L"font", L"edit_test_font");
        edit->SetAttribute(L"margin", L"10," + std::to_wstring(nextTop_) + L",0,0");
        edit->ApplyAttributeList(attributes);
        root_->Add(edit);
        nextTop_ += height + 10;
        return edit;
    }

    // Shows the window at the screen's corner and lays it out.
    bool Open() {
        const bool opened = window_.Open(false, RECT{0, 0, 400, 300}) != nullptr;
        window_.AttachRoot(root_);  // owned by the window from here, opened or not
        return opened && window_test::PumpUntilLaidOut(window_);
    }

    // A click at a client point, as the mouse sends it.
    void Click(POINT point, bool twice = false) {
        const HWND hwnd = window_.GetHWND();
        ::SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
        ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        ::SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
        if (twice) {
            ::SendMessageW(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(point.x, point.y));
            ::SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
        }
        window_test::PumpPending();
    }

    // Clicks into an edit and puts the keyboard on the window.
    bool Focus(ui::RichEdit* edit) {
        const RECT r = edit->GetPos();
        Click(POINT{r.left + 5, (r.top + r.bottom) / 2});
        return Activate(window_.GetHWND()) && window_.GetFocus() == edit;
    }

    window_test::TestWindow& Window() { return window_; }
    HWND Hwnd() const { return window_.GetHWND(); }

private:
    window_test::TestWindow window_;
    ui::Box* root_;  // owned by the window once attached
    int nextTop_ = 10;
};

}  // namespace rich_edit_test
