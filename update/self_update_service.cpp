#include "update/self_update_service.h"

#include <map>

#include "update/self_replace.h"

void LauncherSelfUpdate::InstallFonts() {
    if (::InstallFonts(SystemFontPlace()) && applyToUi_) applyToUi_(EmbeddedUiFontFaces(), TextAntiAliasFromCommandLine());
}

void LauncherSelfUpdate::UninstallFonts() {
    std::map<std::wstring, unsigned long> failures;  // the copy retries what is still there
    ::UninstallFonts(failures, SystemFontPlace());
}

void LauncherSelfUpdate::StartSelfReplace(const std::wstring& restartCommand, bool exeReplaced) {
    ::StartSelfReplace(restartCommand, exeReplaced);
}
