#include "windows/tab_page.h"

#include <memory>

#include "app/launcher_context.h"
#include "ui/global_manager.h"
#include "ui/vlayout.h"
#include "windows/page_controls.h"

namespace MainComponents {

namespace {
constexpr int kMaxNewsLines = 4;
}  // namespace

void TabPage::NewsItem::Init() {
    ui::ListContainerElement::Init();
    if (bound) return;
    bound = true;
    contentLabel = FindNamed<ui::Label>(this, L"news_content");
    dateLabel = FindNamed<ui::Label>(this, L"news_date");
    if (!contentLabel) return;
    contentLabel->EventMapAt(ui::kEventMouseButtonDown).push_back(MakeWeakCallback([this](ui::EventArgs* args) {
        if (args->sender != contentLabel) return true;
        LauncherContext::Instance()->OpenLink(link, true);
        return false;
    }));
}

TabPage::TabPage() : ui::ListBox(new ui::VLayout) {}

void TabPage::AddNews(const std::string& content, const std::string& date, const std::string& tooltip,
                      const std::string& link) {
    auto item = std::make_unique<NewsItem>();
    ui::GlobalManager::BuildIntoBoxCached(L"main/news_item.xml", nullptr, item.get());
    if (!AddAt(item.get(), static_cast<std::size_t>(GetCount()))) return;
    NewsItem* added = item.release();  // the list owns it now
    added->Init();
    added->link = link;
    if (added->contentLabel) {
        added->contentLabel->SetUTF8Text(content);
        added->contentLabel->SetUTF8ToolTipText(tooltip);
    }
    if (added->dateLabel) added->dateLabel->SetUTF8Text(date);
    while (GetCount() > kMaxNewsLines) RemoveAt(0);
}

}  // namespace MainComponents
