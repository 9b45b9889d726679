#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "app/ui_seam.h"

// The launcher's modal message box (window class "MsgBox"): a title, a message, a detail line
// and up to two buttons, "btn_no" answering 0 and "btn_yes" answering 1; closing the box also
// answers 0. Closing clears the launcher context's messageBoxOpen, tells the main window
// (2126), and re-enables and focuses the owner before the answer is delivered.
class MsgBox {
public:
    static constexpr int kNoButtonId = 100;
    static constexpr int kYesButtonId = 101;
    static constexpr int kContentId = 102;
    static constexpr int kDetailId = 103;

    BoxText title;
    BoxText message;
    BoxText detail;

    // Literal labels; an empty label hides its button.
    void SetButtonTexts(const std::wstring& first, const std::wstring& second);
    // The same with language keys.
    void SetButtonTextIds(const std::wstring& first, const std::wstring& second);

    // Shows the box over owner (disabled while the box is open); the window owns the box from
    // here on. False when the window cannot be created: the callback then answers 0 at once.
    static bool ShowModal(std::unique_ptr<MsgBox> box, HWND owner, std::function<void(int)> callback,
                          bool swapButtonLooks);

    // The seam's entry: a box with the composed content.
    static void Show(HWND owner, const MessageBoxContent& content, std::function<void(int)> callback);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l);
    void Build(HWND window);
    void Finish(HWND window, int result);
    // The end of every box: it is no longer open, the main window is told, the callback answers.
    static void Answer(std::function<void(int)> callback, int result);

    BoxText first_;
    BoxText second_;
    bool swap_ = false;
    HWND owner_ = nullptr;
    std::function<void(int)> callback_;
    bool finished_ = false;
};
