#include "ui/combo.h"

#include <utility>

#include "ui/attribute_values.h"
#include "ui/combo_wnd.h"
#include "ui/dpi_manager.h"
#include "ui/global_manager.h"
#include "ui/list_box.h"
#include "ui/list_container_element.h"
#include "ui/render/render_context.h"
#include "ui/vlayout.h"
#include "ui/window.h"

namespace ui {
namespace {

// DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS: the chosen item's text in the combo.
constexpr UINT kSelectionTextStyle = 0x8024;

RECT Shrunk(RECT r, const RECT& by) {
    return RECT{r.left + by.left, r.top + by.top, r.right - by.right, r.bottom - by.bottom};
}

}  // namespace

Combo::Combo() : Box(nullptr), list_(std::make_unique<ListBox>(new VLayout)) {
    list_->GetLayout()->SetPadding(RECT{1, 1, 1, 1});
    list_->SetAttribute(L"bordersize", L"1,1,1,1");
    list_->SetAutoDestroy(false);
    list_->EnableScrollBar(true, false);
    list_->ApplyAttributeList(dropBoxAttributes_);
    list_->EventMapAt(kEventSelect).push_back(MakeWeakCallback([this](EventArgs* args) { return OnSelectItem(args); }));
}

Combo::~Combo() {
    // An open drop-down holds the list and a pointer to this combo: it lets go of both and
    // goes first.
    if (CComboWnd* drop = std::exchange(dropWindow_, nullptr)) {
        drop->DetachOwner();
        if (::IsWindow(drop->GetHWND())) ::DestroyWindow(drop->GetHWND());
    }
    // The list was told to keep its items (the drop-down's root must not delete it); with the
    // combo gone they are its to delete.
    list_->SetDelayedDestroy(false);
    list_->SetAutoDestroy(true);
    list_.reset();
}

// --- items ---------------------------------------------------------------------------------------

int Combo::GetCount() const {
    return list_->GetCount();
}

bool Combo::Add(Control* control) {
    list_->Add(control);
    if (control) control->SetAttribute(L"receivepointer", L"true");
    currentSelection_ = list_->GetCurSel();
    return true;
}

bool Combo::Remove(Control* control) {
    const bool removed = list_->Remove(control);
    currentSelection_ = list_->GetCurSel();
    Invalidate();
    return removed;
}

bool Combo::RemoveAt(std::size_t index) {
    const bool removed = list_->RemoveAt(index);
    currentSelection_ = list_->GetCurSel();
    Invalidate();
    return removed;
}

void Combo::RemoveAll() {
    list_->RemoveAll();
    currentSelection_ = -1;
    Invalidate();
}

// --- attributes -----------------------------------------------------------------------------------

void Combo::SetDropBoxSize(SIZE size, bool scaleForDpi) {
    if (scaleForDpi) {
        size.cx = DpiManager::GetInstance()->ScaleInt(size.cx);
        size.cy = DpiManager::GetInstance()->ScaleInt(size.cy);
    }
    dropBoxSize_ = size;
}

void Combo::SetDropBoxAttributes(const std::wstring& attributes) {
    dropBoxAttributes_ = attributes;
    list_->ApplyAttributeList(attributes);
}

void Combo::SetAttribute(const std::wstring& name, const std::wstring& value) {
    if (name == L"dropbox") {
        SetDropBoxAttributes(value);
    } else if (name == L"vscrollbar") {
        // The list always scrolls vertically.
    } else if (name == L"dropboxsize") {
        SetDropBoxSize(ParseSize(value));
    } else if (name == L"popuptop") {
        SetPopupTop(ParseBool(value));
    } else {
        Box::SetAttribute(name, value);
    }
}

// --- the drop-down --------------------------------------------------------------------------------

RECT Combo::DropRect() const {
    RECT r = rect_;
    const SIZE offset = GetScrollOffset();
    ::OffsetRect(&r, -offset.cx, -offset.cy);
    RECT drop{r.left, r.bottom + 1, dropBoxSize_.cx > 0 ? r.left + dropBoxSize_.cx : r.right, 0};

    int sum = 0;
    const SIZE room{drop.right - drop.left, dropBoxSize_.cy};
    for (int i = 0; i < list_->GetCount(); ++i) {
        Control* item = list_->GetItemAt(static_cast<std::size_t>(i));
        if (item && item->IsVisible()) sum += item->EstimateSize(room).cy;
    }
    const int height = sum + 2 < dropBoxSize_.cy ? sum + 2 : dropBoxSize_.cy;
    drop.bottom = drop.top + height;

    const HWND owner = window_->GetHWND();
    ::MapWindowPoints(owner, HWND_DESKTOP, reinterpret_cast<POINT*>(&drop), 2);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY), &monitor);
    if (drop.bottom > monitor.rcWork.bottom || popupTop_) {
        RECT above{r.left, r.top - height, dropBoxSize_.cx > 0 ? r.left + dropBoxSize_.cx : r.right, r.top};
        ::MapWindowPoints(owner, HWND_DESKTOP, reinterpret_cast<POINT*>(&above), 2);
        drop = above;
    }
    return drop;
}

void Combo::Activate() {
    if (!IsActivatable() || dropWindow_ || !window_ || !window_->GetHWND()) return;
    const RECT rect = DropRect();
    // The pop-up deletes itself with its native window; one that never got a window is
    // deleted here.
    auto* drop = new CComboWnd(this);
    const std::weak_ptr<kbase::WeakFlag> alive = drop->ObtainWeakFlag();
    dropWindow_ = drop;
    if (!drop->Create(window_->GetHWND(), nullptr, WS_POPUP, WS_EX_TOOLWINDOW, true, rect)) {
        if (!alive.expired()) delete drop;
        dropWindow_ = nullptr;
        return;
    }
    HWND top = dropWindow_->GetHWND();
    while (HWND parent = ::GetParent(top)) top = parent;
    ::ShowWindow(dropWindow_->GetHWND(), SW_SHOW);
    ::SendMessageW(top, WM_NCACTIVATE, TRUE, 0);
    if (dropWindow_) Control::SendEvent(this, kEventClick, 0, 0, 0, dropWindow_->GetLastMousePos());
    Invalidate();
}

void Combo::Deactivate() {
    if (dropWindow_) ::PostMessageW(dropWindow_->GetHWND(), WM_KILLFOCUS, 0, 0);
}

bool Combo::OnSelectItem(EventArgs* /*args*/) {
    if (dropWindow_) ::PostMessageW(dropWindow_->GetHWND(), WM_KILLFOCUS, 0, 0);
    currentSelection_ = list_->GetCurSel();
    if (Control* item = list_->GetItemAt(static_cast<std::size_t>(currentSelection_))) {
        item->SetHotAlpha(0);
        item->SetState(kControlStateNormal);
        item->Invalidate();
    }
    if (dropWindow_) {
        Control::SendEvent(this, kEventSelect, static_cast<WPARAM>(currentSelection_), -1, 0,
                           dropWindow_->GetLastMousePos());
    }
    return true;
}

void Combo::TakeListSelection() {
    const int chosen = list_->GetCurSel();
    if (chosen < 0 || chosen >= list_->GetCount() || chosen == currentSelection_) return;
    currentSelection_ = chosen;
    list_->SelectItem(chosen, false, false);
}

void Combo::OnDropWindowGone() {
    dropWindow_ = nullptr;
    Invalidate();
}

void Combo::PaintText(IRenderContext* context) {
    if (currentSelection_ < 0) return;
    auto* item = dynamic_cast<ListContainerElement*>(list_->GetItemAt(static_cast<std::size_t>(currentSelection_)));
    if (!item) return;
    const std::wstring text = item->GetText();
    if (text.empty() || !item->GetOwner()) return;
    const DWORD color = GlobalManager::GetTextColor(item->GetStateTextColor(kControlStateNormal));
    context->DrawText(Shrunk(rect_, item->GetTextPadding()), text, color, item->GetFont(), kSelectionTextStyle,
                      static_cast<BYTE>(255), false);
}

}  // namespace ui
