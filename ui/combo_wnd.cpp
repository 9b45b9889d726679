#include "ui/combo_wnd.h"

#include "ui/box.h"
#include "ui/combo.h"
#include "ui/list_box.h"

namespace ui {

LRESULT CComboWnd::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        OnCreate(hwnd_);
        return 0;
    case WM_CLOSE:
        OnClose();
        break;
    case WM_KILLFOCUS:
        if (reinterpret_cast<HWND>(wParam) != hwnd_) OnKillFocus(reinterpret_cast<HWND>(wParam));
        break;
    default:
        break;
    }
    if (closing_) return CallSavedWindowProc(message, wParam, lParam);
    return Window::HandleMessage(message, wParam, lParam);
}

void CComboWnd::OnCreate(HWND hwnd) {
    Init(hwnd);
    SetShadowAttached(false);
    if (!owner_) return;
    auto* root = new Box(nullptr);
    root->SetAutoDestroy(false);
    root->Add(owner_->GetListBox());
    AttachRoot(root);
    if (Window* ownerWindow = owner_->GetWindow()) SetResourcePath(ownerWindow->GetResourcePath());
}

void CComboWnd::OnClose() {
    if (!owner_) return;
    owner_->SetWindowAndParent(owner_->GetWindow(), owner_->GetParent(), false);
    owner_->SetPos(owner_->GetPos());
    owner_->SetFocus();
}

void CComboWnd::OnKillFocus(HWND /*gainer*/) {
    if (closing_) return;
    closing_ = true;
    ::PostMessageW(hwnd_, WM_CLOSE, 0, 0);
    if (!owner_) return;
    owner_->TakeListSelection();
    ReleaseList();
}

void CComboWnd::ReleaseList() {
    if (!owner_) return;
    ListBox* list = owner_->GetListBox();
    if (Box* root = GetRoot(); root && root->GetItemIndex(list) >= 0) root->Remove(list);
    list->SetWindowAndParent(nullptr, nullptr, false);
}

void CComboWnd::DetachOwner() {
    ReleaseList();
    owner_ = nullptr;
}

void CComboWnd::OnFinalMessage(HWND hwnd) {
    Window::OnFinalMessage(hwnd);
    if (owner_) {
        ReleaseList();  // closed without losing the focus first: its owner window went away
        owner_->OnDropWindowGone();
    }
    delete this;  // made with new by the combo; it ends with its native window
}

}  // namespace ui
