#pragma once

#include <windows.h>

#include <string>

#include "ui/label.h"
#include "ui/window_impl_base.h"

// Where the pre-download popup goes: its right edge one gap inside the main window's right
// edge, its bottom one gap above the anchor (the pre-download area, top in the main window's
// client coordinates); never above or left of the screen's origin. Rectangles without shadow.
POINT PreDlcPopupOrigin(const RECT& mainWindow, SIZE popup, int anchorTop, int gap);

// The borderless popup above the pre-download area (skin "predlc/popup_skin.xml"): sizes,
// time left and speed of the running pre-download. The download page creates it on mouse
// enter and closes it again.
class PreDlcPopupForm : public ui::WindowImplBase {
public:
    std::wstring GetWindowClassName() const override { return L"PreDlcPopupForm"; }
    std::wstring GetSkinFolder() override { return L"predlc"; }
    std::wstring GetSkinFile() override { return L"popup_skin.xml"; }
    void InitWindow() override;
    // Gives the focus back to the main window, then closes.
    void Close(UINT code = IDOK) override;

    // Creates the popup over the launcher context's main window beside anchor and shows the texts;
    // false, showing nothing, without a main window or when the window cannot be made.
    bool ShowBeside(const RECT& anchor, const std::wstring& sizeText, const std::wstring& timeText,
                    const std::wstring& speedText);
    void SetSizeText(const std::wstring& sizeText);
    void SetTimeAndSpeed(const std::wstring& timeText, const std::wstring& speedText);

private:
    ui::Label* sizeLabel_ = nullptr;
    ui::Label* timeLabel_ = nullptr;
    ui::Label* speedLabel_ = nullptr;
};
