#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/ui_seam.h"
#include "ui/event_args.h"
#include "windows/modal_dialog.h"

// The launcher's modal options box (skin "optionsbox"): a message, one option per text in a
// radio group, and "btn_ok". Confirming (the button or the close command) delivers the chosen
// index; Escape and "btn_close" dismiss the box and deliver nothing.
class OptionsBox : public ModalDialog {
public:
    BoxText content;
    std::wstring groupName;
    bool optionsAreKeys = true;
    std::vector<std::wstring> optionTexts;
    int selectedIndex = 0;
    BoxText buttonText;

    // The seam's entry: a box for the request, keys throughout.
    static void Show(HWND owner, const OptionsRequest& request);

    void Confirm() { Finish(selectedIndex); }
    void Dismiss() { Finish(std::nullopt); }

    std::wstring GetWindowClassName() const override { return L"OptionsBox"; }
    std::wstring GetSkinFolder() override { return L"optionsbox"; }
    std::wstring GetSkinFile() override { return L"skin.xml"; }
    void InitWindow() override;

protected:
    void OnCloseCommand() override { Confirm(); }
    void OnEscape() override { Dismiss(); }

private:
    bool OnOptionSelected(ui::EventArgs* args);
};
