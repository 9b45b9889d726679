#pragma once

#include <string>

// The version maps published for the launcher's own files, written by the command-line verbs
// make_version and make_dependence_version in the launcher's folder (the working folder),
// whole or not at all. Keys are the files' paths below that folder with '/' separators; files
// that cannot be read are left out. An empty version is written as "1.0.0". True when the map
// was written.

// launcher_version_map.txt: launcher.exe, resources.zip, the four fonts, then every file under cef\.
bool MakeLauncherVersionMap(const std::wstring& version);

// dependence_version_map.txt: every file under dependence\.
bool MakeDependenceVersionMap(const std::wstring& version);
