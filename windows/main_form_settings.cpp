// The settings window as the main window opens it from the title bar and keeps it current.
#include "app/game_launcher.h"
#include "app/launcher_context.h"
#include "ui/event_args.h"
#include "windows/main_form.h"
#include "windows/setting_form.h"

namespace {

// Whether a known game update would start by itself now.
bool AutomaticUpdateWouldRun() {
    const LauncherContext* context = LauncherContext::Instance();
    return context->settings.Get().autoUpdate && !context->updateErrorShown && !context->messageBoxOpen &&
           !IsGameRunning();
}

}  // namespace

void MainForm::InitSettingsButton() {
    GetRoot()->BubbledEventMapAt(ui::kEventClick).push_back(
        MakeWeakCallback([this](ui::EventArgs* args) { return OnWindowEvent(args); }));
}

bool MainForm::OnWindowEvent(ui::EventArgs* args) {
    if (!args || !args->sender || args->sender->GetName() != L"btn_settings") return true;
    const bool automaticBefore = AutomaticUpdateWouldRun();
    // Turning the automatic update on starts a pending update once the settings are confirmed.
    SettingForm::Show(GetHWND(), MakeWeakCallback([this, automaticBefore](int result) {
        if (result != 0 && !automaticBefore && AutomaticUpdateWouldRun()) UpdateGameButton();
    }));
    return true;
}

void MainForm::RefreshSettingsPages() {
    if (SettingForm* form = SettingForm::Find()) form->RefreshPages();
}
