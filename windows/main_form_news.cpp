// The news tabs: a header and a page of news lines per news tab of the launcher context.
#include <memory>

#include "app/launcher_context.h"
#include "ui/event_args.h"
#include "ui/global_manager.h"
#include "ui/list_box.h"
#include "ui/tab_box.h"
#include "windows/main_form.h"
#include "windows/page_controls.h"
#include "windows/tab_label.h"
#include "windows/tab_page.h"

using MainComponents::TabLabel;
using MainComponents::TabPage;

void MainForm::InitNewsTabs() {
    newsTabList_ = dynamic_cast<ui::ListBox*>(FindControl(std::wstring(L"tab_labels")));
    if (newsTabList_) {
        newsTabList_->EventMapAt(ui::kEventSelect).push_back(
            MakeWeakCallback([this](ui::EventArgs* args) { return OnNewsTabEvent(args); }));
    }
    newsPages_ = dynamic_cast<ui::TabBox*>(FindControl(std::wstring(L"tab_pages")));
    RebuildNewsTabs();
}

void MainForm::ClearNewsTabs() {
    if (!newsTabList_ || !newsPages_) return;
    newsTabList_->RemoveAll();
    ForEachItem<TabPage>(newsPages_, [](TabPage& page) { page.RemoveAll(); });
    newsPages_->RemoveAll();
}

void MainForm::RebuildNewsTabs() {
    if (!newsTabList_ || !newsPages_) return;
    ClearNewsTabs();
    const std::vector<NewsTab>& news = LauncherContext::Instance()->news;
    for (std::size_t index = 0; index < news.size(); ++index) {
        auto header = std::make_unique<TabLabel>();
        ui::GlobalManager::BuildIntoBoxCached(L"main/tab_label.xml", nullptr, header.get());
        if (newsTabList_->AddAt(header.get(), index)) {
            TabLabel* added = header.release();
            added->Init();
            if (added->nameLabel) added->nameLabel->SetUTF8Text(news[index].name);
            added->EventMapAt(ui::kEventMouseButtonDown).push_back(
                MakeWeakCallback([this](ui::EventArgs* args) { return OnNewsTabEvent(args); }));
        }
        auto page = std::make_unique<TabPage>();
        ui::GlobalManager::BuildIntoBoxCached(L"main/tab_page.xml", nullptr, page.get());
        if (!newsPages_->AddAt(page.get(), index)) continue;
        TabPage* added = page.release();
        for (const NewsEntry& entry : news[index].entries) {
            added->AddNews(entry.content, entry.date, entry.tooltip, entry.link);
        }
    }
    if (!news.empty()) SelectNewsTab(0);
}

bool MainForm::OnNewsTabEvent(ui::EventArgs* args) {
    if (!args || !args->sender || !newsTabList_) return false;
    ui::Control* header = nullptr;
    if (args->type == ui::kEventSelect && args->sender->GetName() == L"tab_labels") {
        const int selected = newsTabList_->GetCurSel();
        if (selected >= 0) header = newsTabList_->GetItemAt(static_cast<std::size_t>(selected));
    } else if (args->type == ui::kEventMouseButtonDown) {
        header = dynamic_cast<TabLabel*>(args->sender);
    }
    if (header) SelectNewsTab(newsTabList_->GetItemIndex(header));
    return false;
}

void MainForm::SelectNewsTab(int index) {
    if (!newsPages_) return;
    const int count = newsPages_->GetCount();
    if (index < 0 || index >= count) return;
    for (int i = 0; newsTabList_ && i < count && i < newsTabList_->GetCount(); ++i) {
        auto* header = dynamic_cast<TabLabel*>(newsTabList_->GetItemAt(static_cast<std::size_t>(i)));
        if (!header) continue;
        header->SetSelectedFlag(i == index);
        if (header->nameLabel) header->nameLabel->SetEnabled(i != index);
        if (header->lineControl) header->lineControl->SetFadeVisible(i == index);
    }
    newsPages_->SelectItem(index);
}
