#include "windows/msg_box.h"

#include <utility>

#include "app/launcher_context.h"
#include "app/launcher_messages.h"
#include "app/thread_ids.h"
#include "base/thread_registry.h"
#include "ui/button.h"
#include "windows/window_texts.h"

void MsgBox::SetButtonTexts(const std::wstring& noText, const std::wstring& yesText) {
    buttonTextsAreKeys_ = false;
    noText_ = noText;
    yesText_ = yesText;
}

void MsgBox::SetButtonTextIds(const std::wstring& noText, const std::wstring& yesText) {
    buttonTextsAreKeys_ = true;
    noText_ = noText;
    yesText_ = yesText;
}

void MsgBox::Show(HWND owner, const MessageBoxContent& content, std::function<void(int)> callback) {
    auto box = std::make_unique<MsgBox>();
    box->title = content.title;
    box->content = content.message;
    box->detail = content.detail;
    if (content.buttonsAreKeys) {
        box->SetButtonTextIds(content.firstButton, content.secondButton);
    } else {
        box->SetButtonTexts(content.firstButton, content.secondButton);
    }
    ShowModal(std::move(box), owner, std::move(callback), content.swapButtonLooks);
}

bool MsgBox::ShowModal(std::unique_ptr<MsgBox> box, HWND owner, std::function<void(int)> callback,
                       bool swapLooks) {
    MsgBox* shown = box.get();
    if (!ModalDialog::ShowModal(std::move(box), owner, callback)) {
        LauncherContext::Instance()->messageBoxOpen = false;
        if (callback) kbase::ThreadRegistry::GetInstance()->PostTask(kUiThreadId, [callback] { callback(0); });
        return false;
    }
    if (swapLooks) shown->SwapButtonLooks();
    return true;
}

void MsgBox::InitWindow() {
    HandleClicks({{L"btn_yes", [this] { Confirm(); }},
                  {L"btn_no", [this] { Cancel(); }},
                  {L"btn_close", [this] { Cancel(); }}});
    SetLabelText(FindControl(L"title"), title);
    SetLabelText(FindControl(L"content"), content);
    SetLabelText(FindControl(L"detail"), detail);
    yesButton_ = dynamic_cast<ui::Button*>(FindControl(L"btn_yes"));
    noButton_ = dynamic_cast<ui::Button*>(FindControl(L"btn_no"));
    if (!yesButton_ || !noButton_) return;
    SetLabelText(yesButton_, {buttonTextsAreKeys_, yesText_});
    SetLabelText(noButton_, {buttonTextsAreKeys_, noText_});
    yesButton_->SetFadeVisible(!yesText_.empty());
    noButton_->SetFadeVisible(!noText_.empty());
    (yesText_.empty() ? noButton_ : yesButton_)->SetFocus();
}

void MsgBox::SwapButtonLooks() {
    if (!yesButton_ || !noButton_) return;
    for (int state = ui::kControlStateNormal; state <= ui::kControlStateDisabled; ++state) {
        const std::wstring noImage = noButton_->GetStateImage(ui::kStateImageBk, state);
        const std::wstring yesImage = yesButton_->GetStateImage(ui::kStateImageBk, state);
        noButton_->SetStateImage(ui::kStateImageBk, state, yesImage);
        yesButton_->SetStateImage(ui::kStateImageBk, state, noImage);
        const std::wstring noColor = noButton_->GetStateTextColor(state);
        const std::wstring yesColor = yesButton_->GetStateTextColor(state);
        noButton_->SetStateTextColor(state, yesColor);
        yesButton_->SetStateTextColor(state, noColor);
    }
}

void MsgBox::Close(UINT code) {
    if (!IsClosing()) {
        LauncherContext* context = LauncherContext::Instance();
        context->messageBoxOpen = false;
        context->SendToMainWindow(kMsgStateChanged, 0, 0);
    }
    ModalDialog::Close(code);
}
