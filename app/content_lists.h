#pragma once

#include <string>
#include <vector>

// What the main window's poster carousel and news tabs show. The launcher context holds the
// lists for the main window, which reads them on the UI thread.
struct PosterEntry {
    std::string image;
    std::string link;
};

struct NewsEntry {
    std::string content;
    std::string date;
    std::string tooltip;
    std::string link;
};

struct NewsTab {
    std::string name;
    std::vector<NewsEntry> entries;
};
