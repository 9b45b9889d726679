#pragma once

#include <windows.h>

#include <string>

#include "ui/window_impl_base.h"

namespace skin_render {

// A skinned window of any skin, given as a path under the theme folder ("main/skin.xml"). It
// counts the paint messages it has handled, so that callers can wait for a paint.
class SkinWindow : public ui::WindowImplBase {
public:
    explicit SkinWindow(const std::wstring& skin);

    std::wstring GetWindowClassName() const override { return L"SkinRenderWindow"; }
    std::wstring GetSkinFolder() override { return skinFolder_; }
    std::wstring GetSkinFile() override { return skinFile_; }
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Creates the hidden window at the skin's own size; null when the skin cannot be built
    // (the object has then deleted itself).
    HWND CreateFromSkin();
    int GetPaintCount() const { return paintCount_; }
    // Painted, arranged and faded in, with nothing left to paint.
    bool IsSettled() const;

private:
    std::wstring skinFolder_;
    std::wstring skinFile_;
    int paintCount_ = 0;
};

// Builds the skin once in a hidden plain window: false with the parser's or the builder's error
// when a skinned window could not be made of it. The window base answers such a skin with a
// message box that would wait for a click nobody gives, so callers ask here first.
bool TryBuildSkin(const std::wstring& skin, std::wstring& error);

// Runs the thread's messages until done() holds or timeoutMs has passed; false on the timeout.
template <class Done>
bool PumpMessagesUntil(Done done, ULONGLONG timeoutMs) {
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    for (;;) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
            if (done()) return true;
        }
        if (done()) return true;
        const ULONGLONG now = ::GetTickCount64();
        if (now >= deadline) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
    }
}

}  // namespace skin_render
