#pragma once

#include <string>

// True when the file opens for reading while others may read and write it: how the launcher
// asks whether a file is there (the game executable, a pending map, resources.zip).
bool CanOpenForReading(const std::wstring& path);

// Deletes the file when it can be opened for reading; a failed deletion is ignored.
void DeleteIfPresent(const std::wstring& path);
