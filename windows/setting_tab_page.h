#pragma once

#include <functional>
#include <string>

#include "ui/event_args.h"
#include "ui/list_container_element.h"
#include "ui/window.h"

class SettingForm;

namespace SettingComponents {

// The base of the settings dialog's pages: a list element filled from its own skin file that
// edits its form's settings record. A page finds its controls by name and skips whatever the
// skin lacks, with the handlers that would need it.
class TabPage : public ui::ListContainerElement {
public:
    // Takes name as the element's name and form as the dialog edited; pages then find their
    // controls, fill them from the settings and attach their handlers.
    virtual void Setup(const std::wstring& name, SettingForm* form);
    // Re-applies the launcher's current state to the page.
    virtual void Refresh() {}

protected:
    // The named descendant as T; null when it is missing or of another kind.
    template <class T>
    T* Find(const wchar_t* name) {
        std::wstring wanted = name;
        return dynamic_cast<T*>(FindControl(&ui::Window::MatchControlName, &wanted, 0));
    }
    // Runs action when control raises an event of type; nothing when control is null.
    static void OnEvent(ui::Control* control, int type, std::function<void()> action);
    // With the game running and brought to the front: closes the dialog, hides the launcher
    // and answers true, the caller's action left undone.
    bool HandOverToRunningGame();
    // Shows the language text id as the named control's tooltip.
    void SetTip(const wchar_t* name, const wchar_t* id);

    SettingForm* form = nullptr;
};

// Whether a game-mode update of the game is running (prepare to apply).
bool IsGameUpdateRunning();

}  // namespace SettingComponents
