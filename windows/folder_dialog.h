#pragma once

#include <windows.h>

#include <shlobj.h>

#include <functional>
#include <string>

#include "browser/modal_wnd_base.h"

// The system's folder browser, run on a modal runner's thread. The result reaches
// resultCallback as a task on the UI thread: 1 and the chosen folder, or 0 and an empty text
// when the browser was cancelled. Callers bind the callback weakly to their window.
class FolderDialog : public ModalWndBase {
public:
    FolderDialog(HWND owner, std::wstring title, std::function<void(int, std::wstring)> resultCallback);

    // On the runner's thread: initialises COM as an apartment for the browser's lifetime and
    // frees the item list it returns.
    void RunModal() override;

private:
    std::wstring title_;
    std::wstring path_;
    BROWSEINFOW browseInfo_{};
    std::function<void(int, std::wstring)> resultCallback_;
};
