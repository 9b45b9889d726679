#pragma once

#include <string>

// Relative paths that come from servers or from lists on disk (version-map keys, patch-list
// entries, deferred-update lists) name files inside one folder. These checks refuse every path
// that could reach outside it once joined to that folder.

// True when path stays inside its folder: not empty; no leading separator ("\x", "/x", UNC);
// no ':' anywhere (drive letters such as "C:x", alternate data streams); no "." or ".."
// component under either separator (trailing spaces ignored, as Windows drops them); no
// control characters or NULs. On refusal, *error (when given) says why.
bool IsSafeRelativePath(const std::wstring& path, std::string* error = nullptr);
// The same for narrow text (UTF-8 or the system code page): the characters checked are ASCII,
// and no lead byte of either encoding is followed by '.', ':' or '/', so bytes suffice; a
// trail byte equal to '\' only makes the check stricter.
bool IsSafeRelativePath(const std::string& path, std::string* error = nullptr);

// True for versions used as folder names: three runs of 1-9 digits joined by '_' ("1_2_30").
bool IsSafeVersionFolderName(const std::string& version);
