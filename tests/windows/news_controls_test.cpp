#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/windows/page_host.h"
#include "ui/global_manager.h"
#include "ui/hlayout.h"
#include "ui/list_box.h"
#include "windows/tab_label.h"
#include "windows/tab_page.h"

namespace {

using MainComponents::TabLabel;
using MainComponents::TabPage;

class NewsControlsTest : public page_test::PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        RunOnUi([this] {
            auto headers = std::make_unique<ui::ListBox>(new ui::HLayout);
            headers->SetFixedHeight(40);
            headers_ = headers.get();
            ASSERT_TRUE(form_->AddBelow(std::move(headers)));
            for (const wchar_t* name : {L"News", L"Events"}) {
                auto header = std::make_unique<TabLabel>();
                ui::GlobalManager::BuildIntoBoxCached(L"main/tab_label.xml", nullptr, header.get());
                ASSERT_TRUE(headers_->AddAt(header.get(), static_cast<std::size_t>(headers_->GetCount())));
                TabLabel* added = header.release();
                added->Init();
                added->nameLabel->SetText(name);
            }
            auto page = std::make_unique<TabPage>();
            ui::GlobalManager::BuildIntoBox(L"main/tab_page.xml", nullptr, page.get());
            page_ = page.get();
            ASSERT_TRUE(form_->AddBelow(std::move(page)));
        });
    }
    TabLabel* Header(int index) { return dynamic_cast<TabLabel*>(headers_->GetItemAt(static_cast<std::size_t>(index))); }
    POINT CentreOf(ui::Control* control) {
        WaitLaidOut(hwnd_);
        POINT centre{};
        RunOnUi([&] {
            const RECT r = control->GetPos();
            centre = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        });
        return centre;
    }

    ui::ListBox* headers_ = nullptr;
    TabPage* page_ = nullptr;
};

TEST_F(NewsControlsTest, APageKeepsTheLastFourLinesInTheOrderAdded) {
    RunOnUi([this] {
        for (int i = 1; i <= 6; ++i) {
            const std::string n = std::to_string(i);
            page_->AddNews("line " + n, "12/0" + n, "tip " + n, "News_" + n);
        }
        std::vector<std::wstring> lines;
        for (int i = 0; i < page_->GetCount(); ++i) {
            auto* item = dynamic_cast<TabPage::NewsItem*>(page_->GetItemAt(static_cast<std::size_t>(i)));
            ASSERT_TRUE(item && item->contentLabel && item->dateLabel);
            lines.push_back(item->contentLabel->GetText() + L" " + item->dateLabel->GetText());
        }
        EXPECT_EQ(lines, (std::vector<std::wstring>{L"line 3 12/03", L"line 4 12/04", L"line 5 12/05", L"line 6 12/06"}));
        auto* last = dynamic_cast<TabPage::NewsItem*>(page_->GetItemAt(3));
        EXPECT_EQ(last->link, "News_6");
        EXPECT_EQ(last->contentLabel->GetToolTipText(), L"tip 6");
    });
}

TEST_F(NewsControlsTest, HoveredHeaderTurnsHotAndTurnsBackWhenLeftUnselected) {
    RunOnUi([this] { headers_->SelectItem(0, false, false); });
    const POINT first = CentreOf(Header(0));
    const POINT second = CentreOf(Header(1));
    PostMouse(WM_MOUSEMOVE, second);
    EXPECT_TRUE(BecomesTrue([&] { return Header(1)->nameLabel->GetState() == ui::kControlStateHot; }));
    PostMouse(WM_MOUSEMOVE, first);
    EXPECT_TRUE(BecomesTrue([&] { return Header(1)->nameLabel->GetState() == ui::kControlStateNormal; }));
    EXPECT_TRUE(BecomesTrue([&] { return Header(0)->nameLabel->GetState() == ui::kControlStateHot; }));
}

}  // namespace
