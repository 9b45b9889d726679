#pragma once

#include <windows.h>

#include <list>
#include <vector>

#include "base/lock.h"

// The game's windows, as registered by the game (message 2525 on the UI thread) or found on
// the desktop by their property "_TVN_GAME_TW". Both threads use the list, so it is guarded;
// messages are sent outside the lock, since a send waits on the game.
class GameWindowList {
public:
    // How long one send to a game window may hold the caller: a hung game must not stall
    // updates or the exit.
    static constexpr UINT kSendTimeoutMs = 2000;

    // Registration from the game: drops listed handles that are no longer windows, then
    // appends window when it is a window not listed yet.
    void Register(HWND window);
    // Rebuilds the list from the top-level windows that carry the game's property.
    void Refresh();
    std::vector<HWND> Snapshot() const;

    // Sends to every listed window that is still a window, in list order (dead ones are
    // skipped, not removed). An empty list is rebuilt first; when it stays empty, the first
    // window of the game's class gets the message instead. Returns the number of windows
    // that took the message.
    int Send(UINT message, WPARAM w, LPARAM l);

    // The window to bring to the front: the first listed one that is still a window (the
    // list rebuilt first when empty), or, with an empty list, the first window of the
    // game's class. Null when there is none.
    HWND FrontWindow();

private:
    // The listed windows after rebuilding an empty list.
    std::vector<HWND> Listed();

    mutable kbase::Lock lock_;
    std::list<HWND> windows_;
};
