#include "windows/setting_page_resource.h"

#include <memory>

#include "app/launcher_context.h"
#include "app/launcher_messages.h"
#include "browser/async_modal_runner_manager.h"
#include "ui/language_table.h"
#include "windows/folder_dialog.h"
#include "windows/setting_form.h"

namespace SettingComponents {

void TabPageResource::Setup(const std::wstring& name, SettingForm* owner) {
    TabPage::Setup(name, owner);
    SetTip(L"local_tip", L"STRING_RESOURCE_LOCAL_TIP");
    gamePathLabel_ = Find<ui::Label>(L"text_game_path");
    findGameButton_ = Find<ui::Button>(L"btn_find_game");
    repairButton_ = Find<ui::Button>(L"btn_repair_game");
    if (gamePathLabel_) gamePathLabel_->SetText(LauncherContext::Instance()->settings.Get().gamePath);
    OnEvent(findGameButton_, ui::kEventClick, [this] { ChooseFolder(); });
    OnEvent(repairButton_, ui::kEventClick, [this] { Repair(); });
    Refresh();
}

void TabPageResource::Refresh() {
    const bool gameUpdating = IsGameUpdateRunning();
    if (findGameButton_) findGameButton_->SetEnabled(!gameUpdating);
    if (repairButton_) repairButton_->SetEnabled(!LauncherContext::Instance()->IsUpdateInProgress());
}

void TabPageResource::ChooseFolder() {
    auto chosen = form->MakeWeakCallback([this](int result, const std::wstring& folder) {
        if (result != 0) UseGameFolder(folder);
    });
    auto dialog = std::make_unique<FolderDialog>(form->GetHWND(),
                                                 ui::LanguageTable::GetInstance().GetText(L"STRING_SELECT_PATH"),
                                                 [chosen](int result, std::wstring folder) { chosen(result, folder); });
    zel_comp::AsyncModalRunnerManager::GetInstance().RunModalAsync(std::move(dialog));
}

void TabPageResource::UseGameFolder(const std::wstring& folder) {
    LauncherContext* context = LauncherContext::Instance();
    if (!context->IsGameInstalled(folder)) {
        context->ShowMessageBox(form->GetHWND(), L"STRING_ERROR_NOTICE", L"STRING_ERROR_INVALID_GAME_PATH", L"",
                                L"STRING_CONFIRM", nullptr);
        return;
    }
    if (gamePathLabel_) gamePathLabel_->SetText(folder);
    form->settings.gamePath = folder;
    context->settings.Update([&folder](LauncherSettings& settings) { settings.gamePath = folder; });
    context->SaveSettings();
    context->LoadLocalGameVersion();
    context->SendToMainWindow(kMsgStateChanged, 0, 0);
    TrackUiClick("setting_button", "game_path");
}

void TabPageResource::Repair() {
    LauncherContext* context = LauncherContext::Instance();
    if (HandOverToRunningGame()) return;
    if (repairButton_) repairButton_->SetEnabled(false);
    form->Cancel();
    context->ResetGameFiles();
    TrackUiClick("setting_button", "click_repair");
}

}  // namespace SettingComponents
