#include "windows/launcher_ui.h"

#include "ui/global_manager.h"
#include "ui/language_table.h"
#include "windows/main_form.h"
#include "windows/msg_box.h"
#include "windows/options_box.h"

UiServices MakeLauncherUiServices() {
    UiServices ui;
    ui.createMainWindow = [] { MainForm::CreateAndShow(); };
    ui.startup = &ui::GlobalManager::Startup;
    ui.shutdown = &ui::GlobalManager::Shutdown;
    ui.closeResourceZip = &ui::GlobalManager::CloseResourceZip;
    ui.openResourceZipFile = [](const std::wstring& path) { return ui::GlobalManager::OpenResourceZip(path); };
    ui.openResourceZipMemory = [](const void* bytes, std::size_t size) {
        return ui::GlobalManager::OpenResourceZip(bytes, size);
    };
    ui.readResourceFile = &ui::GlobalManager::ReadResourceFile;
    ui.currentLanguage = &ui::GlobalManager::GetLanguage;
    ui.setLanguage = &ui::GlobalManager::SetLanguage;
    ui.reloadLanguage = &ui::GlobalManager::ReloadLanguage;
    ui.getText = [](const std::wstring& id) { return ui::LanguageTable::GetInstance().GetText(id); };
    ui.setTextOverride = [](const std::wstring& id, const std::wstring& text) {
        ui::LanguageTable::GetInstance().SetOverride(id, text);
    };
    ui.showMessageBox = &MsgBox::Show;
    ui.showOptionsBox = &OptionsBox::Show;
    return ui;
}
