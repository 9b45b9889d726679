#include "update/ui_text.h"

#include "app/launcher_context.h"
#include "base/string_conversions.h"

std::wstring UiText(const std::wstring& id) {
    const UiServices& ui = LauncherContext::Instance()->ui();
    return ui.getText ? ui.getText(id) : std::wstring();
}

std::string UiTextUtf8(const std::wstring& id) {
    std::string text;
    kbase::WideToUtf8(UiText(id), text);
    return text;
}
