#pragma once

#include <string>

#include "ui/label.h"
#include "ui/list_box.h"
#include "ui/list_container_element.h"

namespace MainComponents {

// The news lines of one news tab ("main/tab_page.xml"): the last four added, each opening its
// link when its text is pressed.
class TabPage : public ui::ListBox {
public:
    // One news line ("main/news_item.xml").
    class NewsItem : public ui::ListContainerElement {
    public:
        // Binds the two labels and the content's link handler, once (the framework also runs
        // Init when the line joins its list).
        void Init() override;

        ui::Label* contentLabel = nullptr;
        ui::Label* dateLabel = nullptr;
        std::string link;

    private:
        bool bound = false;
    };

    TabPage();

    // All UTF-8. Appends a line and drops the oldest beyond four.
    void AddNews(const std::string& content, const std::string& date, const std::string& tooltip,
                 const std::string& link);
};

}  // namespace MainComponents
