#pragma once

#include <windows.h>
#include <shellapi.h>

#include <map>
#include <string>

#include "base/unique_handle.h"

// The main window's icon in the notification area, there for the window's whole life: a double
// click shows the window and asks for a launcher check, a right click opens a menu (open, exit),
// and other processes may ask for a balloon through WM_COPYDATA. The icon and its menus go with
// the object. UI thread only.
class TrayIcon {
public:
    // The window property that holds the owner's tray icon while it lives.
    static constexpr wchar_t kWindowProperty[] = L"NotifyTrayData";

    // Adds the icon (application icon 107) for owner, with the open and exit items.
    explicit TrayIcon(HWND owner);
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    bool IsAdded() const { return added_; }
    void ClearMenus();
    // Appends an item to the menu; recorded only when the menu took it.
    void AddMenuItem(UINT id, const std::wstring& text);
    // Whether a WM_COMMAND identifier is one of the menu's items: the main window then sends
    // the identifier to itself as a message.
    bool IsMenuItem(UINT id) const { return menuItems_.count(id) != 0; }
    HMENU PopupMenu() const { return popupMenu_; }

    // The icon's notification message (its lParam): a double click sends "show and check the
    // launcher" to the owner, a right button press opens the menu at the cursor.
    void OnNotification(LPARAM lParam);
    // A balloon request (WM_COPYDATA's block, see BalloonRequest): shows the title and text,
    // then flashes the request's window and plays its sound file, if it names one. Malformed
    // requests are ignored; false when nothing was shown.
    bool ShowBalloon(const COPYDATASTRUCT* copyData);

private:
    struct MenuTraits {
        using Raw = HMENU;
        static Raw Invalid() { return nullptr; }
        static void Close(Raw menu) { ::DestroyMenu(menu); }
    };
    using UniqueMenu = kbase::UniqueHandle<MenuTraits>;

    void BuildMenus();
    void ShowMenu();

    NOTIFYICONDATAW notifyData_{};
    bool added_ = false;
    HWND ownerWindow_ = nullptr;
    UniqueMenu trayMenu_;
    // Owned by trayMenu_ once appended to it; until then by popupOwned_.
    HMENU popupMenu_ = nullptr;
    UniqueMenu popupOwned_;
    std::map<UINT, std::wstring> menuItems_;
};
