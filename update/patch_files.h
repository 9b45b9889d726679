#pragma once

#include <string>

#include <windows.h>

#include "base/unique_handle.h"
#include "update/patch_container.h"

// The file handling both file-level appliers share.

// Opens an existing file for reading while others may read it too: the old file can be a
// running executable, and a scanner may be looking at the patch.
kbase::ScopedFileHandle OpenPatchInput(const std::wstring& path);

// Creates path anew for reading and writing, shared with nobody, after making its folder
// ('/' read as '\').
kbase::ScopedFileHandle CreatePatchOutput(const std::wstring& path);

// Opens the patch at path and reads its container: kContainerRead, 0 when the file does not open
// (openError := the system's code), or ReadPatchContainer's negative code. The file is closed
// before it returns.
int LoadPatchFile(const std::wstring& path, PatchBytes& data, int& size, DWORD& openError);
