#pragma once

#include "app/ui_seam.h"
#include "update/embedded_fonts.h"

// The UI framework and the launcher windows behind the application core's UI hooks.
UiServices MakeLauncherUiServices();

// The faces behind the skins' "button" font name := the embedded fonts' faces.
void SetUiFontFaces();

// What the installed fonts give the UI: the faces behind "system" and "button", and whether
// text is drawn anti-aliased.
void ApplyInstalledFontsToUi(const UiFontFaces& faces, bool textAntiAlias);
