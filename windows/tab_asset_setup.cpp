#include "windows/tab_asset_setup.h"

#include <memory>

#include "app/file_util.h"
#include "app/launcher_context.h"
#include "ui/button.h"
#include "windows/page_controls.h"
#include "windows/setup_path_form.h"

namespace MainComponents {

void TabAssetSetup::BindControls() {
    titleLabel = FindNamed<ui::Label>(this, L"text_title");
    pathLabel = FindNamed<ui::Label>(this, L"text_set_path");
    if (titleLabel) titleLabel->SetTextId(L"STRING_SET_PATH", false);
    if (pathLabel) pathLabel->SetText(LauncherContext::Instance()->settings.Get().gamePath);
    if (auto* button = FindNamed<ui::Button>(this, L"btn_set_path")) {
        button->EventMapAt(ui::kEventClick).push_back([this](ui::EventArgs* args) { return OnSetPathClick(args); });
    }
}

void TabAssetSetup::ReleaseControls() {
    pathLabel = nullptr;
}

void TabAssetSetup::Refresh() {
    if (titleLabel) titleLabel->SetTextId(L"STRING_SET_PATH", true);
    if (pathLabel) pathLabel->SetText(LauncherContext::Instance()->settings.Get().gamePath);
}

bool TabAssetSetup::OnSetPathClick(ui::EventArgs* args) {
    if (!args->sender || args->sender->GetName() != L"btn_set_path") return true;
    ModalDialog::ShowModal(std::make_unique<SetupPathForm>(), LauncherContext::Instance()->mainWindow.load(),
                           MakeWeakCallback([this](int result) { OnSetupPathResult(result); }));
    return true;
}

void TabAssetSetup::OnSetupPathResult(int result) {
    if (result == 0) return;
    LauncherContext* context = LauncherContext::Instance();
    if (!context->CheckDiskSpaceForInstall(nullptr)) return;  // it showed its own notice
    CreateDirectoriesW(context->settings.Get().gamePath);
    context->StartGameUpdate(false, false);
    context->TrackLauncherDetail("14", "", "", "");
    context->TrackActivity("click_launch_download_game", "", "", "");
    TrackUiClick("click_button", "install");
    context->TrackLauncherEvent("", "", "", "", "install", false);
}

}  // namespace MainComponents
