#include "windows/msg_box.h"

#include <utility>

#include "app/launcher_context.h"
#include "app/launcher_messages.h"
#include "windows/plain_window.h"

namespace {
constexpr wchar_t kClassName[] = L"MsgBox";
constexpr int kWidth = 440;
constexpr int kHeight = 240;
}  // namespace

void MsgBox::SetButtonTexts(const std::wstring& first, const std::wstring& second) {
    first_ = {false, first};
    second_ = {false, second};
}

void MsgBox::SetButtonTextIds(const std::wstring& first, const std::wstring& second) {
    first_ = {true, first};
    second_ = {true, second};
}

void MsgBox::Show(HWND owner, const MessageBoxContent& content, std::function<void(int)> callback) {
    auto box = std::make_unique<MsgBox>();
    box->title = content.title;
    box->message = content.message;
    box->detail = content.detail;
    if (content.buttonsAreKeys) {
        box->SetButtonTextIds(content.firstButton, content.secondButton);
    } else {
        box->SetButtonTexts(content.firstButton, content.secondButton);
    }
    ShowModal(std::move(box), owner, std::move(callback), content.swapButtonLooks);
}

bool MsgBox::ShowModal(std::unique_ptr<MsgBox> box, HWND owner, std::function<void(int)> callback,
                       bool swapButtonLooks) {
    box->owner_ = owner;
    box->swap_ = swapButtonLooks;
    MsgBox* shown = box.get();
    const std::wstring caption = ResolveText(box->title);
    HWND window = RegisterPlainWindowClass(kClassName, &MsgBox::WindowProc)
                      ? CreateOwningWindow(box, kClassName, caption, owner, kWidth, kHeight)
                      : nullptr;
    if (!window) {
        // Answered as a closed box, so that no caller waits for an answer that never comes.
        Answer(std::move(callback), 0);
        return false;
    }
    shown->callback_ = std::move(callback);  // the window owns the box now
    if (owner) ::EnableWindow(owner, FALSE);
    CenterWindow(window, owner);
    ::ShowWindow(window, SW_SHOW);
    return true;
}

void MsgBox::Build(HWND window) {
    CreateChild(window, L"STATIC", SS_LEFT, kContentId, ResolveText(message), 20, 20, kWidth - 60, 70);
    CreateChild(window, L"STATIC", SS_LEFT, kDetailId, ResolveText(detail), 20, 95, kWidth - 60, 40);
    const std::wstring no = ResolveText(first_);
    const std::wstring yes = ResolveText(second_);
    // The default look goes to "yes", or to "no" when the looks are swapped.
    HWND noButton = CreateChild(window, L"BUTTON", swap_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, kNoButtonId, no,
                                kWidth - 300, kHeight - 95, 120, 34);
    HWND yesButton = CreateChild(window, L"BUTTON", swap_ ? BS_PUSHBUTTON : BS_DEFPUSHBUTTON, kYesButtonId, yes,
                                 kWidth - 165, kHeight - 95, 120, 34);
    if (first_.text.empty()) ::ShowWindow(noButton, SW_HIDE);
    if (second_.text.empty()) ::ShowWindow(yesButton, SW_HIDE);
    ::SetFocus(second_.text.empty() ? noButton : yesButton);
}

void MsgBox::Answer(std::function<void(int)> callback, int result) {
    LauncherContext* context = LauncherContext::Instance();
    context->messageBoxOpen = false;
    context->SendToMainWindow(kMsgStateChanged, 0, 0);
    if (callback) callback(result);
}

void MsgBox::Finish(HWND window, int result) {
    if (finished_) return;
    finished_ = true;
    if (owner_) {
        ::EnableWindow(owner_, TRUE);
        ::SetFocus(owner_);
    }
    std::function<void(int)> callback = std::move(callback_);
    ::DestroyWindow(window);  // deletes this box
    Answer(std::move(callback), result);
}

LRESULT CALLBACK MsgBox::WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    MsgBox* box = WindowObject<MsgBox>(window, message, l);
    if (!box) return ::DefWindowProcW(window, message, w, l);
    switch (message) {
        case WM_CREATE:
            box->Build(window);
            return 0;
        case WM_COMMAND:
            if (HIWORD(w) == BN_CLICKED && (LOWORD(w) == kNoButtonId || LOWORD(w) == kYesButtonId)) {
                box->Finish(window, LOWORD(w) == kYesButtonId ? 1 : 0);
                return 0;
            }
            break;
        case WM_CLOSE:
            box->Finish(window, 0);
            return 0;
        case WM_NCDESTROY:
            DeleteWindowObject<MsgBox>(window);
            break;
        default:
            break;
    }
    return ::DefWindowProcW(window, message, w, l);
}
