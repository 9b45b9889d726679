#include "windows/predlc_popup_form.h"

#include <algorithm>

#include "app/launcher_context.h"
#include "ui/dpi_manager.h"
#include "ui/global_manager.h"

namespace {

constexpr int kGap = 5;

RECT WithoutShadow(HWND hwnd, const ui::Window* window) {
    RECT rect{};
    ::GetWindowRect(hwnd, &rect);
    if (window && window->IsShadowAttached()) {
        const RECT shadow = window->GetShadowPadding();
        rect = {rect.left + shadow.left, rect.top + shadow.top, rect.right - shadow.right, rect.bottom - shadow.bottom};
    }
    return rect;
}

ui::Window* FrameworkWindowOf(HWND hwnd) {
    for (ui::Window* window : ui::GlobalManager::GetWindowList()) {
        if (window->GetHWND() == hwnd) return window;
    }
    return nullptr;
}

void SetLabel(ui::Label* label, const std::wstring& text) {
    if (label) label->SetText(text);
}

}  // namespace

POINT PreDlcPopupOrigin(const RECT& mainWindow, SIZE popup, int anchorTop, int gap) {
    return POINT{std::max(0L, mainWindow.right - popup.cx - gap), std::max(0L, mainWindow.top + anchorTop - gap - popup.cy)};
}

void PreDlcPopupForm::InitWindow() {
    sizeLabel_ = dynamic_cast<ui::Label*>(FindControl(std::wstring(L"text_dlc_size")));
    timeLabel_ = dynamic_cast<ui::Label*>(FindControl(std::wstring(L"text_dlc_time")));
    speedLabel_ = dynamic_cast<ui::Label*>(FindControl(std::wstring(L"text_dlc_speed")));
    SetLabel(sizeLabel_, L"(0.00GB/0.00GB)");
    SetTimeAndSpeed(L"00:00:00", L"0.00MB/S");
}

void PreDlcPopupForm::Close(UINT code) {
    if (const HWND owner = ::GetWindow(GetHWND(), GW_OWNER)) ::SetFocus(owner);
    WindowImplBase::Close(code);
}

bool PreDlcPopupForm::ShowBeside(const RECT& anchor, const std::wstring& sizeText, const std::wstring& timeText,
                                 const std::wstring& speedText) {
    const HWND main = LauncherContext::Instance()->mainWindow.load();
    ui::Window* mainWindow = main ? FrameworkWindowOf(main) : nullptr;
    if (!mainWindow) return false;
    const std::wstring className = GetWindowClassName();
    if (!Create(main, className.c_str(), WS_POPUP, 0, true)) return false;
    ::SetFocus(GetHWND());
    const RECT popup = WithoutShadow(GetHWND(), this);
    const RECT owner = WithoutShadow(main, mainWindow);
    const POINT origin = PreDlcPopupOrigin(owner, {popup.right - popup.left, popup.bottom - popup.top}, anchor.top,
                                           ui::DpiManager::GetInstance()->ScaleInt(kGap));
    ::SetWindowPos(GetHWND(), nullptr, origin.x, origin.y, popup.right - popup.left, popup.bottom - popup.top,
                   SWP_NOZORDER | SWP_NOREDRAW);
    ShowWindow(true, true);
    SetSizeText(sizeText);
    SetTimeAndSpeed(timeText, speedText);
    return true;
}

void PreDlcPopupForm::SetSizeText(const std::wstring& sizeText) {
    SetLabel(sizeLabel_, sizeText);
}

void PreDlcPopupForm::SetTimeAndSpeed(const std::wstring& timeText, const std::wstring& speedText) {
    SetLabel(timeLabel_, timeText);
    SetLabel(speedLabel_, speedText);
}
