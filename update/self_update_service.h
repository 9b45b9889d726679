#pragma once

#include <functional>
#include <utility>

#include "app/self_update_seam.h"
#include "update/embedded_fonts.h"

// The self-update service of the launcher: the system's fonts folder and registry, and the
// temporary copy of the launcher.
class LauncherSelfUpdate : public SelfUpdateService {
public:
    // Hands the UI framework its default font faces and text anti-aliasing once the fonts are
    // installed; left empty and off when they could not be.
    using ApplyToUi = std::function<void(const UiFontFaces& faces, bool textAntiAlias)>;

    explicit LauncherSelfUpdate(ApplyToUi applyToUi) : applyToUi_(std::move(applyToUi)) {}

    void InstallFonts() override;
    void UninstallFonts() override;
    void StartSelfReplace(const std::wstring& restartCommand, bool exeReplaced) override;

private:
    ApplyToUi applyToUi_;
};
