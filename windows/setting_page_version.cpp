#include "windows/setting_page_version.h"

#include "app/launcher_context.h"
#include "base/string_conversions.h"
#include "windows/formatted_texts.h"
#include "windows/setting_form.h"

namespace SettingComponents {
namespace {

std::wstring VersionText(const std::string& version, UINT codePage) {
    std::wstring wide;
    kbase::CodePageToWide(version, wide, codePage);
    return FormatLanguageText(L"STRING_VERSION_LABEL", wide);
}

}  // namespace

void TabPageVersion::Setup(const std::wstring& name, SettingForm* owner) {
    TabPage::Setup(name, owner);
    launcherUpdateButton_ = Find<ui::Button>(L"btn_launcher_update");
    launcherVersionLabel_ = Find<ui::Label>(L"label_launcher_version");
    gameUpdateButton_ = Find<ui::Button>(L"btn_game_update");
    gameVersionLabel_ = Find<ui::Label>(L"label_game_version");
    OnEvent(launcherUpdateButton_, ui::kEventClick, [this] { UpdateLauncher(); });
    OnEvent(gameUpdateButton_, ui::kEventClick, [this] { UpdateGame(); });
    OnEvent(Find<ui::Control>(L"btn_agreement"), ui::kEventClick,
            [] { LauncherContext::Instance()->OpenLink("Service", true); });
    OnEvent(Find<ui::Control>(L"btn_privacy"), ui::kEventClick,
            [] { LauncherContext::Instance()->OpenLink("Privacy", true); });
    Refresh();
}

void TabPageVersion::Refresh() {
    LauncherContext* context = LauncherContext::Instance();
    const bool idle = !context->IsUpdateInProgress();
    if (launcherUpdateButton_) launcherUpdateButton_->SetEnabled(idle);
    if (gameUpdateButton_) gameUpdateButton_->SetEnabled(idle);
    if (launcherVersionLabel_) {
        launcherVersionLabel_->SetText(VersionText(context->launcherVersion.Get(), CP_ACP));
    }
    if (gameVersionLabel_) {
        gameVersionLabel_->SetText(VersionText(context->displayGameVersion.Get(), CP_UTF8));
    }
}

void TabPageVersion::UpdateLauncher() {
    LauncherContext* context = LauncherContext::Instance();
    context->TrackLauncherDetail("21", "", "", "");
    context->TrackActivity("click_launch_update_launcher", "", "", "");
    if (launcherUpdateButton_) launcherUpdateButton_->SetEnabled(false);
    form->Cancel();
    context->StartLauncherUpdate();
}

void TabPageVersion::UpdateGame() {
    LauncherContext* context = LauncherContext::Instance();
    if (HandOverToRunningGame()) return;
    context->TrackLauncherDetail("20", "", "", "");
    context->TrackActivity("click_launch_update_game", "", "", "");
    if (gameUpdateButton_) gameUpdateButton_->SetEnabled(false);
    form->Cancel();
    context->StartGameUpdate(true, true);
}

}  // namespace SettingComponents
