#pragma once

#include <windows.h>

#include <string>

// Defaults of a first run, when no settings file exists yet.

// The language index for the user's default locale; locales without a language of their
// own give 0 ("en").
int LanguageTypeForLocale(LCID locale);

// The game folder: launcherDir itself (without its trailing separator) when it holds
// KORU.exe, else "Tarvenor Game" inside it. launcherDir ends with a separator.
std::wstring FirstRunGamePath(const std::wstring& launcherDir);
