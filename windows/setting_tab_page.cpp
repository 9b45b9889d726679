#include "windows/setting_tab_page.h"

#include "app/game_launcher.h"
#include "app/launcher_context.h"
#include "app/launcher_messages.h"
#include "app/update_state.h"
#include "windows/setting_form.h"

namespace SettingComponents {

void TabPage::Setup(const std::wstring& name, SettingForm* owner) {
    SetName(name);
    form = owner;
}

void TabPage::OnEvent(ui::Control* control, int type, std::function<void()> action) {
    if (!control) return;
    control->EventMapAt(type).push_back([control, action = std::move(action)](ui::EventArgs* args) {
        if (args->sender == control) action();
        return true;
    });
}

void TabPage::SetTip(const wchar_t* name, const wchar_t* id) {
    if (ui::Control* control = Find<ui::Control>(name)) control->SetToolTipTextId(id);
}

bool TabPage::HandOverToRunningGame() {
    LauncherContext* context = LauncherContext::Instance();
    if (!IsGameRunning() || !context->BringGameToFront()) return false;
    form->Cancel();
    context->SendToMainWindow(kMsgHideToTray, 0, 0);
    return true;
}

bool IsGameUpdateRunning() {
    const LauncherContext* context = LauncherContext::Instance();
    const int type = context->CurrentStateType();
    return context->CurrentStateMode() == kGameMode && type >= kPrepareStateType && type <= kApplyUpdateStateType;
}

}  // namespace SettingComponents
