#pragma once

#include "ui/vbox.h"

namespace ui {
class TabBox;
}

namespace MainComponents {

// A page of the pre-download tab box ("tab_predlc"): 0 none, 1 before, 2 download, 3 finish.
// The page itself is page 0 and reports status 0 to the game. The update engine picks the page
// and a refresh code with the pre-download status message; the main window selects the page
// and calls Refresh with the code.
class TabPreDlc : public ui::VBox {
public:
    enum Index { kNone = 0, kBefore = 1, kDownload = 2, kFinish = 3 };
    // What the pages report to the game's windows.
    enum Status { kStatusNone = 0, kStatusAvailable = 1, kStatusWaiting = 2, kStatusDownloading = 3, kStatusDone = 4 };
    // Refresh codes besides the engine's own: -1 paused, -11 texts again after a language change.
    static constexpr int kCodePaused = -1;
    static constexpr int kCodeTextsOnly = -11;

    virtual void BindControls() {}
    virtual void ReleaseControls() {}
    virtual void Refresh(int /*code*/) {}
    // Sends the page's status to the game's windows (the answer to their query).
    virtual void ReportStatus() { SendStatus(kStatusNone); }

    ui::TabBox* ownerTabBox = nullptr;

protected:
    static void SendStatus(int status);
    // An update blocks the pre-download while a state of type 1 to 3, 5 or 6 is current.
    static bool IsBlockedByUpdate();
    static void ShowBusyNotice();
};

// Builds the four pages into tabs in index order, binds them and selects page 0.
void AddPreDlcPages(ui::TabBox* tabs);
// Releases every page and removes them all; the main window's close calls it.
void RemovePreDlcPages(ui::TabBox* tabs);

}  // namespace MainComponents
