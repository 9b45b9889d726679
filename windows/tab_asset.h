#pragma once

#include "ui/vbox.h"

namespace ui {
class TabBox;
}

namespace MainComponents {

// A page of the game area's tab box ("tab_assets"): 0 none, 1 setup, 2 download, 3 check. The
// page itself is page 0, which shows nothing; the other three derive from it. The main window
// drives them through these three calls.
class TabAsset : public ui::VBox {
public:
    enum Index { kNone = 0, kSetup = 1, kDownload = 2, kCheck = 3 };

    // Once, after the page's layout file was built into it: binds the named controls, first
    // texts, handlers.
    virtual void BindControls() {}
    // When the main window closes, before the pages go: forgets the kept controls.
    virtual void ReleaseControls() {}
    // While the page is current, each time the main window evaluates its game button.
    virtual void Refresh() {}
};

// Builds the four pages into tabs in index order, binds them and selects page 0.
void AddAssetPages(ui::TabBox* tabs);
// Releases every page and removes them all; the main window's close calls it.
void RemoveAssetPages(ui::TabBox* tabs);
}  // namespace MainComponents
