#include "windows/modal_dialog.h"

#include "app/thread_ids.h"
#include "base/thread_registry.h"
#include "ui/box.h"
#include "ui/button.h"
#include "ui/event_args.h"
#include "windows/modal_owners.h"

namespace {
constexpr DWORD kModalStyle = 0xCE0000;  // WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX
}  // namespace

bool ModalDialog::ShowModal(std::unique_ptr<ModalDialog> dialog, HWND owner, ResultCallback callback) {
    // From here the window owns the object; a creation that fails after WM_NCCREATE has
    // deleted it, one that fails before has not.
    ModalDialog* created = dialog.release();
    const std::weak_ptr<kbase::WeakFlag> alive = created->ObtainWeakFlag();
    const std::wstring className = created->GetWindowClassName();
    if (!created->Create(owner, className.c_str(), kModalStyle, 0, true)) {
        if (!alive.expired()) delete created;
        return false;
    }
    created->callback_ = std::move(callback);
    created->owner_ = owner;
    created->ownerHeld_ = owner != nullptr;
    ModalOwners::Hold(owner);
    created->CenterWindow();
    created->ShowWindow(true, true);
    return true;
}

void ModalDialog::Close(UINT code) {
    closing_ = true;
    if (ownerHeld_) {
        ownerHeld_ = false;
        ModalOwners::Release(owner_);
    }
    WindowImplBase::Close(code);
}

void ModalDialog::OnFinalMessage(HWND hwnd) {
    // A dialog destroyed without closing (its owner went first) still lets go of the owner.
    if (ownerHeld_) {
        ownerHeld_ = false;
        ModalOwners::Release(owner_);
    }
    WindowImplBase::OnFinalMessage(hwnd);
}

void ModalDialog::Finish(std::optional<int> result) {
    if (closing_) return;
    Close(0);
    if (result && callback_) {
        kbase::ThreadRegistry::GetInstance()->PostTask(kUiThreadId,
                                                       [callback = callback_, value = *result] { callback(value); });
    }
}

LRESULT ModalDialog::OnSysCommand(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled) {
    if ((wParam & 0xFFF0) == SC_CLOSE) {
        OnCloseCommand();
        return 0;
    }
    return WindowImplBase::OnSysCommand(message, wParam, lParam, handled);
}

LRESULT ModalDialog::OnKeyDown(UINT message, WPARAM wParam, LPARAM, BOOL& handled) {
    if (message == WM_KEYDOWN && wParam == VK_ESCAPE) OnEscape();
    if (message == WM_KEYDOWN && wParam == VK_RETURN) OnReturn();
    return NotHandled(handled);
}

void ModalDialog::HandleClicks(ClickActions actions) {
    if (!GetRoot()) return;
    GetRoot()->BubbledEventMapAt(ui::kEventClick).push_back(
        MakeWeakCallback([actions = std::move(actions)](ui::EventArgs* args) {
            const auto action = args->sender ? actions.find(args->sender->GetName()) : actions.end();
            if (action != actions.end()) action->second();
            return true;
        }));
}

void ModalDialog::ConfirmOnReturnUnlessButtonFocused() {
    if (dynamic_cast<ui::Button*>(GetFocus())) return;
    Finish(1);
}
