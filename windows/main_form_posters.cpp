// The poster carousel: one page per poster of the launcher context with its pager dot, moved by
// the dots, the two scroll buttons and a tick every 2 seconds that a user's move holds back.
#include <memory>

#include "app/launcher_context.h"
#include "ui/button.h"
#include "ui/event_args.h"
#include "ui/global_manager.h"
#include "ui/list_box.h"
#include "ui/scroll_bar.h"
#include "windows/main_form.h"
#include "windows/page_controls.h"
#include "windows/poster_ticker.h"
#include "windows/scroll_dot.h"
#include "windows/scroll_page.h"

using MainComponents::ScrollDot;
using MainComponents::ScrollPage;

void MainForm::InitPosters() {
    posterList_ = dynamic_cast<ui::ListBox*>(FindControl(std::wstring(L"scroll_pages")));
    if (posterList_) {
        // Only the carousel moves the posters.
        if (ui::ScrollBar* bar = posterList_->GetHorizontalScrollBar()) bar->SetFadeVisible(false);
        posterList_->SetKeyboardEnabled(false);
        posterList_->SetMouseWheelEnabled(false);
    }
    dotList_ = dynamic_cast<ui::ListBox*>(FindControl(std::wstring(L"dot_list")));
    if (dotList_) {
        dotList_->EventMapAt(ui::kEventSelect).push_back(
            MakeWeakCallback([this](ui::EventArgs* args) { return OnDotEvent(args); }));
    }
    scrollLeftButton_ = dynamic_cast<ui::Button*>(FindControl(std::wstring(L"btn_scroll_left")));
    scrollRightButton_ = dynamic_cast<ui::Button*>(FindControl(std::wstring(L"btn_scroll_right")));
    if (scrollLeftButton_) {
        scrollLeftButton_->EventMapAt(ui::kEventClick).push_back(MakeWeakCallback([this](ui::EventArgs*) {
            if (dotList_) MoveToPoster(dotList_->GetCurSel() - 1);
            return true;
        }));
    }
    if (scrollRightButton_) {
        scrollRightButton_->EventMapAt(ui::kEventClick).push_back(MakeWeakCallback([this](ui::EventArgs*) {
            if (dotList_) MoveToPoster(dotList_->GetCurSel() + 1);
            return true;
        }));
    }
    currentPoster_ = -1;
    posterHold_->Release();
    if (posterList_ && dotList_) StartPosterTicks(*this, posterHold_, [this] { AdvancePoster(); });
    RebuildPosters();
}

void MainForm::ClearPosters() {
    if (!posterList_ || !dotList_) return;
    dotList_->RemoveAll();
    ForEachItem<ScrollPage>(posterList_, [](ScrollPage& page) { page.Clear(); });
    posterList_->RemoveAll();
    currentPoster_ = -1;
    posterHold_->Release();
}

void MainForm::RebuildPosters() {
    if (!posterList_ || !dotList_) return;
    ClearPosters();
    std::size_t index = 0;
    for (const PosterEntry& poster : LauncherContext::Instance()->posters) {
        auto dot = std::make_unique<ScrollDot>();
        ui::GlobalManager::BuildIntoBoxCached(L"main/scroll_dot.xml", nullptr, dot.get());
        if (dotList_->AddAt(dot.get(), index)) dot.release()->dotControl = FindNamedControl(dotList_->GetItemAt(index), L"btn_dot");
        auto page = std::make_unique<ScrollPage>();
        ui::GlobalManager::BuildIntoBoxCached(L"main/scroll_page.xml", nullptr, page.get());
        if (posterList_->AddAt(page.get(), index)) page.release()->SetData(poster.image, poster.link);
        ++index;
    }
    const bool any = !LauncherContext::Instance()->posters.empty();
    for (ui::Button* button : {scrollLeftButton_, scrollRightButton_}) {
        if (button) button->SetFadeVisible(any);
    }
    if (any) ShowPoster(0, false);
}

void MainForm::ShowPoster(int index, bool animate) {
    if (!posterList_ || !dotList_) return;
    const int count = dotList_->GetCount();
    if (index < 0 || index >= count) return;
    dotList_->SelectItem(index, true, false);
    for (int i = 0; i < count; ++i) {
        auto* dot = dynamic_cast<ScrollDot*>(dotList_->GetItemAt(static_cast<std::size_t>(i)));
        if (!dot) continue;
        dot->SetSelectedFlag(i == index);
        if (dot->dotControl) dot->dotControl->SetEnabled(i != index);
    }
    const int position = posterList_->GetScrollPos().cx;
    const int target = index * posterList_->GetHorizontalLineSize();
    if (position < target) {
        posterList_->LineRight(target - position, animate);
    } else if (position > target) {
        posterList_->LineLeft(position - target, animate);
    }
    currentPoster_ = index;
    if (scrollLeftButton_) scrollLeftButton_->SetEnabled(count > 1 && index > 0);
    if (scrollRightButton_) scrollRightButton_->SetEnabled(count > 1 && index < count - 1);
}

void MainForm::AdvancePoster() {
    if (!posterList_ || !dotList_ || posterList_->GetCount() <= 0) return;
    ShowPoster(NextPosterIndex(currentPoster_, posterList_->GetCount()), true);
}

void MainForm::MoveToPoster(int index) {
    if (!dotList_ || index < 0 || index >= dotList_->GetCount()) return;
    ShowPoster(index, true);
    posterHold_->HoldAfterUserAction();
}

bool MainForm::OnDotEvent(ui::EventArgs* args) {
    if (args && args->sender && args->sender->GetName() == L"dot_list" && dotList_ && dotList_->GetCurSel() >= 0) {
        MoveToPoster(dotList_->GetCurSel());
    }
    return false;
}
