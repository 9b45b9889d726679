#pragma once

#include <string>

// The steps that put one downloaded file of an update into place. An apply can be killed at any
// moment and started again, so each step checks what an earlier run may have left: a new file
// is only ever installed once its MD5 matches the update map.

// True when path reads whole and its MD5 is md5; false for an empty md5 (nothing to compare).
bool FileHasMd5(const std::wstring& path, const std::string& md5);

struct PatchOutcome {
    bool ok = false;
    std::string failure;  // the applier's code, or "check md5 error"
};

// Writes the new version of a file to newPath from oldPath and the patch, and checks it against
// expectedMd5 when the map gives one. A newPath that already holds the expected bytes is kept as
// it is (an earlier run patched it and stopped before moving it in). patchOption 1 chooses the
// in-memory applier (failure code 10000), above 1 the streaming one, whose detail code is the
// failure and stays in detail for the next call.
PatchOutcome ApplyDownloadedPatch(const std::wstring& oldPath, const std::wstring& newPath,
                                  const std::wstring& patchPath, const std::string& expectedMd5, int patchOption,
                                  int& detail);

// Moves source onto target, replacing it; when the move fails, copies and then deletes source.
bool MoveIntoPlace(const std::wstring& source, const std::wstring& target);

// Creates the folder that will hold path, every level, when missing.
void CreateParentFolder(const std::wstring& path);
