#pragma once

#include <string>

#include "base/unique_handle.h"

// The download manager's local files are named in UTF-8 (kbase::WidePath).

// Deletes the file when it exists; false only when it exists and stays.
bool DeleteLocalFile(const std::string& path);
bool LocalFileExists(const std::string& path);

// Opens the file for reading and writing, shared for reading and writing, creating it when
// missing; with truncate an existing file is cut to length 0 first.
kbase::ScopedFileHandle OpenLocalFile(const std::string& path, bool truncate);

// Creates the folder part of path and its parents when missing.
void CreateParentFolders(const std::string& path);
