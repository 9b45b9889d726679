#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/ui_seam.h"

// The launcher's modal options box (window class "OptionsBox"): a message, one radio button
// per option and a confirm button "btn_ok". Confirming (the button or the close command)
// closes the box and then posts the chosen index to the callback on the UI thread; the box
// never answers otherwise.
class OptionsBox {
public:
    static constexpr int kContentId = 200;
    static constexpr int kOkButtonId = 201;
    static constexpr int kFirstOptionId = 210;

    BoxText title;
    BoxText content;
    std::wstring groupName;
    bool optionsAreKeys = true;
    std::vector<std::wstring> optionTexts;
    int selectedIndex = 0;
    BoxText buttonText;

    // Creates the box over owner (disabled while the box is open); the window owns the box
    // from here on. False when the window cannot be created.
    static bool ShowModal(std::unique_ptr<OptionsBox> box, HWND owner, std::function<void(int)> callback);

    // The seam's entry: a box for the request, keys throughout.
    static void Show(HWND owner, const OptionsRequest& request);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l);
    void Build(HWND window);
    void Confirm(HWND window);

    HWND owner_ = nullptr;
    std::function<void(int)> callback_;
};
