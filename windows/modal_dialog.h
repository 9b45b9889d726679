#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "ui/window_impl_base.h"

// The pattern every modal launcher dialog shares: created over an owner that stays disabled
// while it is open, closed by every way out, and its result handed to the opener's callback as
// a task on the UI thread after the close. A dialog delivers at most one result: once it is
// closing (its fade runs for a while), further confirms and cancels do nothing.
class ModalDialog : public ui::WindowImplBase {
public:
    using ResultCallback = std::function<void(int)>;

    // Creates the dialog's window over owner (style 0xCE0000, layered), keeps the callback,
    // disables the owner, centres the dialog over it and shows it with the focus. False when
    // the window cannot be made: the dialog is gone then and the callback is never called.
    static bool ShowModal(std::unique_ptr<ModalDialog> dialog, HWND owner, ResultCallback callback);

    // Closes the dialog, re-enabling its owner when it is the owner's last dialog.
    void Close(UINT code = IDOK) override;
    bool IsClosing() const { return closing_; }

    void OnFinalMessage(HWND hwnd) override;
    LRESULT OnSysCommand(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled) override;
    LRESULT OnKeyDown(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled) override;

protected:
    // Closes the dialog, then posts result (when there is one) to the callback; nothing once
    // the dialog is closing.
    void Finish(std::optional<int> result);
    // The ways out that differ between dialogs. The close command and Escape cancel (0) by
    // default; Return does nothing by default.
    virtual void OnCloseCommand() { Finish(0); }
    virtual void OnEscape() { Finish(0); }
    virtual void OnReturn() {}
    // What a click on a control of the dialog does, by the control's name; clicks on other
    // controls do nothing. Called once, from InitWindow.
    using ClickActions = std::map<std::wstring, std::function<void()>>;
    void HandleClicks(ClickActions actions);
    // Return confirms unless the focus is on a button: a focused button answers Return by
    // its own click, so that Return on a cancel button cancels.
    void ConfirmOnReturnUnlessButtonFocused();

private:
    HWND owner_ = nullptr;
    bool ownerHeld_ = false;
    bool closing_ = false;
    ResultCallback callback_;
};
