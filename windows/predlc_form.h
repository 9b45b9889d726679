#pragma once

#include <string>

#include "ui/label.h"
#include "windows/modal_dialog.h"

// The confirmation before a pre-download starts (skin "predlc"): what a pre-download is, its
// size and the free space of the launcher's drive; confirm (1, also Return) or cancel (0).
class PreDlcForm : public ModalDialog {
public:
    std::wstring GetWindowClassName() const override { return L"PreDlcForm"; }
    std::wstring GetSkinFolder() override { return L"predlc"; }
    std::wstring GetSkinFile() override { return L"skin.xml"; }
    void InitWindow() override;

protected:
    void OnReturn() override { ConfirmOnReturnUnlessButtonFocused(); }

private:
    void FillSizes();

    ui::Label* sizeLabel_ = nullptr;
    ui::Label* spaceLabel_ = nullptr;
};
