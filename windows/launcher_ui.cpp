#include "windows/launcher_ui.h"

#include <memory>

#include "app/text_anti_alias.h"
#include "ui/global_manager.h"
#include "ui/language_table.h"
#include "ui/ole_scope.h"
#include "windows/main_form.h"
#include "windows/msg_box.h"
#include "windows/options_box.h"

namespace {

// The UI thread's OLE, from the UI's start to its end: the edit fields copy and paste through
// it whether or not the browser runtime (which wants it too) is there.
std::unique_ptr<ui::OleScope>& UiThreadOle() {
    static std::unique_ptr<ui::OleScope> ole;
    return ole;
}

}  // namespace

UiServices MakeLauncherUiServices() {
    UiServices ui;
    ui.createMainWindow = [] { MainForm::CreateAndShow(); };
    ui.startup = [](const std::wstring& resourcePath, const std::wstring& theme, const std::wstring& language) {
        if (!UiThreadOle()) UiThreadOle() = std::make_unique<ui::OleScope>();
        ui::GlobalManager::Startup(resourcePath, nullptr, false, theme, language);
    };
    ui.shutdown = [] {
        ui::GlobalManager::Shutdown();
        UiThreadOle().reset();
    };
    ui.closeResourceZip = &ui::GlobalManager::CloseResourceZip;
    ui.openResourceZipFile = [](const std::wstring& path) { return ui::GlobalManager::OpenResourceZip(path); };
    ui.openResourceZipMemory = [](const void* bytes, std::size_t size) {
        return ui::GlobalManager::OpenResourceZip(bytes, size);
    };
    ui.readResourceFile = &ui::GlobalManager::ReadResourceFile;
    ui.currentLanguage = &ui::GlobalManager::GetLanguage;
    ui.setLanguage = &ui::GlobalManager::SetLanguage;
    ui.setUiFontFaces = &SetUiFontFaces;
    ui.reloadLanguage = [] { ui::GlobalManager::ReloadLanguage(L"", nullptr); };
    ui.getText = [](const std::wstring& id) { return ui::LanguageTable::GetInstance().GetText(id); };
    ui.setTextOverride = [](const std::wstring& id, const std::wstring& text) {
        ui::LanguageTable::GetInstance().SetOverride(id, text);
    };
    ui.showMessageBox = &MsgBox::Show;
    ui.showOptionsBox = &OptionsBox::Show;
    return ui;
}

void SetUiFontFaces() {
    const UiFontFaces embedded = EmbeddedUiFontFaces();
    ui::FontFaces faces = ui::GlobalManager::GetFontFaces();
    faces.buttonRegular = embedded.regular;
    faces.buttonBold = embedded.bold;
    faces.buttonItalic = embedded.italic;
    ui::GlobalManager::SetFontFaces(faces);
}

void ApplyInstalledFontsToUi(const UiFontFaces& installed, bool textAntiAlias) {
    ui::FontFaces faces = ui::GlobalManager::GetFontFaces();
    faces.systemRegular = installed.regular;
    faces.systemBold = installed.bold;
    faces.systemItalic = installed.italic;
    ui::GlobalManager::SetFontFaces(faces);
    SetUiFontFaces();
    SetTextAntiAliasEnabled(textAntiAlias);
}
