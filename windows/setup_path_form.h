#pragma once

#include <string>

#include "ui/label.h"
#include "windows/modal_dialog.h"

// The installation-path dialog (skin "setup"): the folder the game goes into, the space it
// needs and the free space of its drive, the system folder browser to choose another parent
// folder, and install (1) or cancel (0). A folder chosen in the browser is stored in the
// settings at once. The dialog opens on the stored game folder as it stands.
class SetupPathForm : public ModalDialog {
public:
    std::wstring GetWindowClassName() const override { return L"SetupPathForm"; }
    std::wstring GetSkinFolder() override { return L"setup"; }
    std::wstring GetSkinFile() override { return L"skin.xml"; }
    void InitWindow() override;

    // The game goes into "Tarvenor Game" inside chosen; with save, that folder becomes the
    // settings' game folder. A folder too long or whose drive cannot be read brings the
    // invalid-disk-space notice and changes nothing.
    void UpdatePath(const std::wstring& chosen, bool save);

protected:
    void OnReturn() override { ConfirmOnReturnUnlessButtonFocused(); }

private:
    void ChangeFolder();
    // Shows folder with its drive's free space; false (after the notice) when that cannot be
    // read.
    bool ShowFolder(const std::wstring& folder);

    ui::Label* pathLabel_ = nullptr;
    ui::Label* needSpaceLabel_ = nullptr;
    ui::Label* freeSpaceLabel_ = nullptr;
};
