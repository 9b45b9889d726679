#pragma once

#include <functional>
#include <list>
#include <string>

// Files that a launcher update leaves in update\ until nothing holds their old versions: the
// browser runtime's and the fonts'. Each list file is a JSON array of paths relative to the
// update folder, in UTF-8. Paths here are relative to the working folder, the
// launcher's own.

inline constexpr char kCefUpdateListPath[] = ".\\update\\cef_update.txt";
inline constexpr char kFontUpdateListPath[] = ".\\update\\font_update.txt";
inline constexpr char kLauncherMapPath[] = ".\\launcher_version_map.txt";

// What became of one listed path.
enum class DeferredInstall {
    kDone,     // in place (now, or already: its source is gone and its target is there)
    kFailed,   // to be tried again: it stays listed
    kRefused,  // can never be installed: dropped from the list
};

// Calls install for each listed path in list order; paths that could leave their folder are
// refused without a call. Afterwards the list file holds only the paths that failed, and is
// deleted when none did. Returns the failed paths; none when the list cannot be read.
std::list<std::string> ApplyDeferredList(const std::string& listPath,
                                         const std::function<DeferredInstall(const std::string& path)>& install);

// Copies each path listed in update\cef_update.txt from update\ over its place in the
// launcher's folder, creating folders, and deletes the source once the copy is in place.
// Returns the paths that failed.
std::list<std::string> ApplyCefUpdate();

// Removes the entries of paths ('\' or '/' separated) from the launcher's version map, so that
// the next start finds them out of date and fetches them again. The map's layout and its
// other members are kept; nothing happens when it cannot be read.
void ForgetLauncherMapEntries(const std::list<std::string>& paths);
