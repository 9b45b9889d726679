#pragma once

#include <string>

#include "ui/control.h"
#include "ui/list_container_element.h"

namespace MainComponents {

// One poster of the carousel ("main/scroll_page.xml"): an image that opens its link, looked up in
// the channel's link table, when the mouse button goes down on it.
class ScrollPage : public ui::ListContainerElement {
public:
    // image: the image attribute (UTF-8); link: a key of the link table (UTF-8). Without the
    // "bk_image" control the link is only kept.
    void SetData(const std::string& image, const std::string& link);
    const std::string& Link() const { return link; }
    // The main window's clear: forgets the image control and the link.
    void Clear();

private:
    ui::Control* imageControl = nullptr;
    std::string link;
};

}  // namespace MainComponents
