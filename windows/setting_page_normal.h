#pragma once

#include <string>

#include "app/launcher_settings.h"
#include "ui/check_box.h"
#include "ui/option.h"
#include "ui/rich_edit.h"
#include "windows/setting_tab_page.h"

namespace SettingComponents {

// "General Settings": start with Windows, the close behaviour, automatic update and the two
// speed caps. Its choices change only the dialog's edited record.
class TabPageNormal : public TabPage {
public:
    void Setup(const std::wstring& name, SettingForm* form) override;

private:
    // A speed row: the no-limit option, the limit option with its field, and the record's
    // on/off and speed members it edits.
    void SetupSpeedRow(const wchar_t* noLimitName, const wchar_t* limitName, const wchar_t* fieldName,
                       bool LauncherSettings::*limited, int LauncherSettings::*speed);
    // Two options of a group standing for a bool of the record.
    void SetupChoice(const wchar_t* onName, const wchar_t* offName, bool LauncherSettings::*member);
    // Puts text into field without running the field's own change handler again.
    void RewriteSpeedText(ui::RichEdit* field, const std::string& text);

    bool rewritingSpeedText_ = false;
};

}  // namespace SettingComponents
