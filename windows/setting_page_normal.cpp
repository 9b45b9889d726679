#include "windows/setting_page_normal.h"

#include "app/launcher_settings.h"
#include "windows/setting_form.h"
#include "windows/speed_field_text.h"

namespace SettingComponents {

void TabPageNormal::Setup(const std::wstring& name, SettingForm* owner) {
    TabPage::Setup(name, owner);
    // The language is chosen elsewhere; the edited record keeps the current one.
    if (ui::Control* language = Find<ui::Control>(L"vbox_set_language")) language->SetFadeVisible(false);
    SetTip(L"speed_tip", L"STRING_DOWNLOAD_LIMIT_TIP");
    SetTip(L"predlc_speed_tip", L"STRING_PREDLC_LIMIT_TIP");

    LauncherSettings& settings = form->settings;
    if (auto* autostart = Find<ui::CheckBox>(L"checkbox_start")) {
        autostart->Selected(settings.automaticStart, false);
        OnEvent(autostart, ui::kEventSelect, [&settings] { settings.automaticStart = true; });
        OnEvent(autostart, ui::kEventUnSelect, [&settings] { settings.automaticStart = false; });
    }
    SetupChoice(L"option_trayicon", L"option_exit", &LauncherSettings::closeToHide);
    SetupChoice(L"option_on", L"option_off", &LauncherSettings::autoUpdate);
    SetupSpeedRow(L"option_nolimit_speed", L"option_limit_speed", L"text_speed", &LauncherSettings::downloadLimit,
                  &LauncherSettings::downloadSpeed);
    SetupSpeedRow(L"predlc_option_nolimit_speed", L"predlc_option_limit_speed", L"predlc_text_speed",
                  &LauncherSettings::predlcLimit, &LauncherSettings::predlcSpeed);
}

void TabPageNormal::SetupChoice(const wchar_t* onName, const wchar_t* offName, bool LauncherSettings::*member) {
    auto* on = Find<ui::Option>(onName);
    auto* off = Find<ui::Option>(offName);
    if (!on || !off) return;
    bool& value = form->settings.*member;
    on->Selected(value, false);
    off->Selected(!value, false);
    OnEvent(on, ui::kEventSelect, [&value] { value = true; });
    OnEvent(off, ui::kEventSelect, [&value] { value = false; });
}

void TabPageNormal::SetupSpeedRow(const wchar_t* noLimitName, const wchar_t* limitName, const wchar_t* fieldName,
                                  bool LauncherSettings::*limited, int LauncherSettings::*speed) {
    auto* noLimit = Find<ui::Option>(noLimitName);
    auto* limit = Find<ui::Option>(limitName);
    auto* field = Find<ui::RichEdit>(fieldName);
    if (!noLimit || !limit || !field) return;
    bool& on = form->settings.*limited;
    int& value = form->settings.*speed;
    noLimit->Selected(!on, false);
    limit->Selected(on, false);
    field->SetUTF8Text(std::to_string(value));
    field->SetEnabled(on);

    OnEvent(noLimit, ui::kEventSelect, [&on, field] {
        on = false;
        field->SetEnabled(false);
    });
    OnEvent(limit, ui::kEventSelect, [&on, field] {
        on = true;
        field->SetEnabled(true);
    });
    OnEvent(field, ui::kEventTextChange, [this, field] {
        if (rewritingSpeedText_) return;
        RewriteSpeedText(field, TypedSpeedText(field->GetUTF8Text()));
    });
    const auto commit = [this, &value, field] {
        value = CommittedSpeed(field->GetUTF8Text());
        RewriteSpeedText(field, std::to_string(value));
    };
    OnEvent(field, ui::kEventKillFocus, commit);
    OnEvent(field, ui::kEventReturn, commit);
}

void TabPageNormal::RewriteSpeedText(ui::RichEdit* field, const std::string& text) {
    if (field->GetUTF8Text() == text) return;  // keeps the caret where the user left it
    rewritingSpeedText_ = true;
    field->SetUTF8Text(text);
    rewritingSpeedText_ = false;
}

}  // namespace SettingComponents
