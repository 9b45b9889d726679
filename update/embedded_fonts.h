#pragma once

#include <windows.h>

#include <map>
#include <string>

// The four fonts carried as "FONTS" resources (the table in app/language_codes.h): written to
// the fonts folder and registered at every start, taken out before a self-update replaces
// them, and replaced from update\ by the files a launcher update leaves there.

// Where the fonts go, and where they come from.
struct FontPlace {
    std::wstring folder;          // the fonts folder, without a trailing separator
    std::wstring registryKey;     // under HKEY_LOCAL_MACHINE: registry value name -> file name
    HMODULE resources = nullptr;  // the module carrying the resources; null: the executable
};

// The system's: the Windows folder's Fonts and the installed-fonts key. The folder is empty
// when the system does not name its Windows folder.
FontPlace SystemFontPlace();

// Writes each font whose file does not open for reading from its resource (whole or not at
// all), makes sure its registry value names the file, then applies the font update. 1 when
// all four are in place and registered; 0 at the first failure, leaving the later fonts and
// the update alone.
int InstallFonts(const FontPlace& place);

// Deletes the four registry values, unloads the files from the system, tells the top-level
// windows that the fonts changed, and deletes the files that exist. failures gets the file
// name and the system's error code of every file that could not be deleted.
void UninstallFonts(std::map<std::wstring, unsigned long>& failures, const FontPlace& place);

// Copies each font file listed in update\font_update.txt into the fonts folder and beside the
// launcher, deleting the source once both copies are in place; a listed font whose source is
// gone but which is in the fonts folder counts as done. Names with a folder part are refused.
// The list keeps the names that failed. Returns them with the system's error code.
std::map<std::string, unsigned long> ApplyFontUpdate(const FontPlace& place);

// The faces the UI framework's default font sets take from the embedded fonts.
struct UiFontFaces {
    std::wstring regular;
    std::wstring bold;
    std::wstring italic;
};
UiFontFaces EmbeddedUiFontFaces();

// Text anti-aliasing is on unless set_language gave an option other than "text_anti_alias" or
// "taa".
bool TextAntiAliasFromCommandLine();
