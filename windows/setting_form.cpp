#include "windows/setting_form.h"

#include <memory>

#include "app/launcher_context.h"
#include "ui/box.h"
#include "ui/global_manager.h"
#include "ui/language_table.h"
#include "windows/setting_page_normal.h"
#include "windows/setting_page_resource.h"
#include "windows/setting_page_version.h"
#include "windows/setting_tab_label.h"

namespace {

constexpr const wchar_t* kTabTextIds[SettingForm::kPageCount] = {L"STRING_TAB_NORMAL", L"STRING_TAB_RESOURCE",
                                                                 L"STRING_TAB_VERSION"};
constexpr const wchar_t* kPageFiles[SettingForm::kPageCount] = {L"setting/tab_page0.xml", L"setting/tab_page1.xml",
                                                                L"setting/tab_page2.xml"};

std::unique_ptr<SettingComponents::TabPage> MakePage(int index) {
    switch (index) {
    case 0: return std::make_unique<SettingComponents::TabPageNormal>();
    case 1: return std::make_unique<SettingComponents::TabPageResource>();
    default: return std::make_unique<SettingComponents::TabPageVersion>();
    }
}

// Adds item to list at index; the list owns it then. Null when the list refused it.
template <class T>
T* AddToList(ui::ListBox* list, std::unique_ptr<T> item, int index) {
    if (!list->AddAt(item.get(), static_cast<std::size_t>(index))) return nullptr;
    return item.release();
}

}  // namespace

bool SettingForm::Show(HWND owner, ResultCallback callback) {
    return ModalDialog::ShowModal(std::make_unique<SettingForm>(), owner, std::move(callback));
}

SettingForm* SettingForm::Find() {
    for (ui::Window* window : ui::GlobalManager::GetWindowList()) {
        auto* form = dynamic_cast<SettingForm*>(window);
        if (form && !form->IsClosing()) return form;
    }
    return nullptr;
}

void SettingForm::InitWindow() {
    settings = LauncherContext::Instance()->settings.Get();
    HandleClicks({{L"btn_confirm", [this] { Confirm(); }},
                  {L"btn_cancel", [this] { Cancel(); }},
                  {L"btn_close", [this] { Cancel(); }}});
    tabList_ = dynamic_cast<ui::ListBox*>(FindControl(std::wstring(L"setting_btns")));
    pageList_ = dynamic_cast<ui::ListBox*>(FindControl(std::wstring(L"setting_pages")));
    if (!tabList_ || !pageList_) return;
    tabList_->EventMapAt(ui::kEventSelect).push_back(MakeWeakCallback([this](ui::EventArgs* args) {
        return OnTabSelect(args);
    }));
    pageList_->SetKeyboardEnabled(false);
    pageList_->EventMapAt(ui::kEventScrollChange).push_back(MakeWeakCallback([this](ui::EventArgs* args) {
        return OnPagesScroll(args);
    }));
    currentPage_ = -1;
    for (int i = 0; i < kPageCount; ++i) {
        const std::wstring name = std::to_wstring(i);
        auto tab = std::make_unique<SettingComponents::TabLabel>();
        ui::GlobalManager::BuildIntoBoxCached(L"setting/tab_label.xml", nullptr, tab.get());
        tabs_[i] = AddToList(tabList_, std::move(tab), i);
        if (tabs_[i]) {
            tabs_[i]->SetName(name);
            std::wstring labelName = L"tab_name";
            tabs_[i]->nameLabel =
                dynamic_cast<ui::Label*>(tabs_[i]->FindControl(&ui::Window::MatchControlName, &labelName, 0));
            if (tabs_[i]->nameLabel) tabs_[i]->nameLabel->SetText(ui::LanguageTable::GetInstance().GetText(kTabTextIds[i]));
        }
        std::unique_ptr<SettingComponents::TabPage> page = MakePage(i);
        ui::GlobalManager::BuildIntoBox(kPageFiles[i], nullptr, page.get());
        pages_[i] = AddToList(pageList_, std::move(page), i);
        if (pages_[i]) pages_[i]->Setup(name, this);
    }
    tabList_->SelectItem(0, false, false);
    pageList_->SelectItem(0, false, false);
    SelectTab(0);
}

void SettingForm::SelectTab(int index) {
    if (index < 0 || index >= kPageCount) return;
    MarkTabs(index);
    if (pageList_) {
        const std::vector<int>& offsets = pageList_->GetItemOffsets();
        const int target = index < static_cast<int>(offsets.size()) ? offsets[index] : 0;
        const int y = pageList_->GetScrollPos().cy;
        if (target > y) {
            pageList_->LineDown(target - y, true);
        } else {
            pageList_->LineUp(y - target, true);
        }
    }
    currentPage_ = index;
}

void SettingForm::MarkTabs(int index) {
    for (int i = 0; i < kPageCount; ++i) {
        if (!tabs_[i]) continue;
        tabs_[i]->SetSelectedFlag(i == index);
        if (tabs_[i]->nameLabel) tabs_[i]->nameLabel->SetEnabled(i != index);
    }
}

void SettingForm::RefreshPages() {
    for (SettingComponents::TabPage* page : pages_) {
        if (page) page->Refresh();
    }
}

bool SettingForm::OnTabSelect(ui::EventArgs* args) {
    if (args->sender != tabList_) return false;
    // The animated scroll that follows must not move the tab selection on its way.
    pageList_->SetScrollEventSuppressed(true);
    SelectTab(tabList_->GetCurSel());
    return false;
}

bool SettingForm::OnPagesScroll(ui::EventArgs* args) {
    if (args->sender != pageList_) return false;
    const int y = pageList_->GetScrollPos().cy;
    const std::vector<int>& offsets = pageList_->GetItemOffsets();
    int shown = 0;
    for (int n = static_cast<int>(offsets.size()) - 1; n >= 0; --n) {
        if (y >= offsets[n]) {
            shown = n;
            break;
        }
    }
    if (shown == currentPage_) return false;
    currentPage_ = shown;
    MarkTabs(shown);
    return false;
}

LRESULT SettingForm::OnKeyDown(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled) {
    if (message != WM_KEYDOWN || (wParam != VK_ESCAPE && wParam != VK_RETURN)) return NotHandled(handled);
    ui::Control* focus = GetFocus();
    // Leaving the download speed field stores its value and keeps the dialog open.
    const bool inSpeedField = focus && focus->GetName() == L"text_speed";
    if (inSpeedField && wParam == VK_RETURN) {
        keyDown_ = focus;
        ui::Control::SendEvent(focus, ui::kEventKeyDown, wParam, lParam, VK_RETURN);
    }
    if (focus) SetFocusControl(nullptr);
    if (inSpeedField) {
        if (wParam == VK_ESCAPE) keyDown_ = nullptr;
        return 0;
    }
    if (wParam == VK_ESCAPE) {
        Cancel();
    } else {
        Confirm();
    }
    return NotHandled(handled);
}

void SettingForm::Confirm() {
    if (IsClosing()) return;
    LauncherContext::Instance()->ApplySettings(settings);
    Finish(1);
}

void SettingForm::Cancel() {
    Finish(0);
}
