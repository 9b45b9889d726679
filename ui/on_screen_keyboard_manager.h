#pragma once

#include <windows.h>

#include <string>

#include "base/weak_callback.h"

namespace ui {

// Shows and hides the system's touch keyboard for text input on Windows 8 and later. Each
// request is applied 10 ms later, so a burst of requests ends in the last one. UI thread only.
class OnScreenKeyboardManager : public virtual kbase::SupportWeakCallback {
public:
    static OnScreenKeyboardManager* GetInstance();

    OnScreenKeyboardManager(const OnScreenKeyboardManager&) = delete;
    OnScreenKeyboardManager& operator=(const OnScreenKeyboardManager&) = delete;

    void ShowOSK(bool show);

    // The keyboard program under the common program files folder that commonFiles names;
    // the fixed default folder when it is empty.
    static std::wstring TabTipPath(const std::wstring& commonFiles);
    // Whether the keyboard's window (found by class) is visible and enabled.
    static bool IsKeyboardShown();

private:
    OnScreenKeyboardManager() = default;
    ~OnScreenKeyboardManager() override = default;

    void ApplyKeyboardState();
    static void LaunchTabTip();

    bool show_ = false;
};

}  // namespace ui
