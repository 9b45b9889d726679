#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "app/launcher_settings.h"
#include "ui/event_args.h"
#include "ui/list_box.h"
#include "windows/modal_dialog.h"

namespace SettingComponents {
class TabLabel;
class TabPage;
}  // namespace SettingComponents

// The launcher's settings dialog (skin "setting"): three tabs on the left and, on the right,
// one scrolling list holding the three pages one below the other. Clicking a tab scrolls its
// page to the top; scrolling the pages moves the tab selection along. The pages edit a copy of
// the launcher's settings, which Confirm hands to the launcher context (1) and Cancel drops (0);
// the buttons that act on the launcher at once (game folder, repair, updates) are the pages'.
class SettingForm : public ModalDialog {
public:
    static constexpr int kPageCount = 3;

    // Opens the dialog over owner (disabled while it is open); callback receives 1 after a
    // confirm and 0 after a cancel, as a task on the UI thread. False when the window cannot
    // be made.
    static bool Show(HWND owner, ResultCallback callback);
    // The open settings dialog, or null; UI thread only.
    static SettingForm* Find();

    std::wstring GetWindowClassName() const override { return L"SettingForm"; }
    std::wstring GetSkinFolder() override { return L"setting"; }
    std::wstring GetSkinFile() override { return L"skin.xml"; }
    void InitWindow() override;
    LRESULT OnKeyDown(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled) override;

    void Confirm();
    void Cancel();
    // Selects tab index (0 to 2) and scrolls its page to the top, animated.
    void SelectTab(int index);
    // Re-applies the launcher's update state to every page's buttons.
    void RefreshPages();

    // The record the pages edit; taken from the launcher context when the window opens.
    LauncherSettings settings;

protected:
    void OnCloseCommand() override { Cancel(); }

private:
    bool OnTabSelect(ui::EventArgs* args);
    bool OnPagesScroll(ui::EventArgs* args);
    // Marks tab index selected (its name label disabled, reading black) and the others not.
    void MarkTabs(int index);

    ui::ListBox* tabList_ = nullptr;
    ui::ListBox* pageList_ = nullptr;
    int currentPage_ = -1;
    std::array<SettingComponents::TabLabel*, kPageCount> tabs_{};
    std::array<SettingComponents::TabPage*, kPageCount> pages_{};
};
