#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "app/ui_seam.h"
#include "ui/button.h"
#include "windows/modal_dialog.h"

// The launcher's modal message box (skin "msgbox"): a title, a message, a detail line and up
// to two buttons, "btn_yes" answering 1 and "btn_no" answering 0; every other way out (the
// close button, Escape, the close command) answers 0. Closing clears the launcher context's
// messageBoxOpen and tells the main window (2126) before the answer is delivered.
class MsgBox : public ModalDialog {
public:
    BoxText title;
    BoxText content;
    BoxText detail;

    // Literal labels; an empty label hides its button.
    void SetButtonTexts(const std::wstring& noText, const std::wstring& yesText);
    // The same with language ids.
    void SetButtonTextIds(const std::wstring& noText, const std::wstring& yesText);

    // Shows the box over owner; swapLooks gives the no-button the primary look and the
    // yes-button the secondary one (each keeps its text and answer). When the window cannot
    // be made the box is not open any more and the callback answers 0, so no asker waits for
    // an answer that never comes.
    static bool ShowModal(std::unique_ptr<MsgBox> box, HWND owner, std::function<void(int)> callback,
                          bool swapLooks);
    // The seam's entry: a box with the composed content.
    static void Show(HWND owner, const MessageBoxContent& content, std::function<void(int)> callback);

    void Confirm() { Finish(1); }
    void Cancel() { Finish(0); }
    void Close(UINT code = IDOK) override;

    std::wstring GetWindowClassName() const override { return L"MsgBox"; }
    std::wstring GetSkinFolder() override { return L"msgbox"; }
    std::wstring GetSkinFile() override { return L"skin.xml"; }
    void InitWindow() override;

private:
    void SwapButtonLooks();

    bool buttonTextsAreKeys_ = false;
    std::wstring noText_;
    std::wstring yesText_;
    ui::Button* noButton_ = nullptr;
    ui::Button* yesButton_ = nullptr;
};
