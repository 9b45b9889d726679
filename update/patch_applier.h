#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include <windows.h>

#include "update/patch_container.h"

// Applies the publisher's difference patches (patch_container.h, patch_format.h) to turn the
// installed version of one file into its new version. Two appliers:
// - streaming: old and new stay in their files; two fixed pieces of kPatchPieceSize bytes plus
//   the inflated patch are all the memory it takes, and PatchCancelFlag stops it;
// - in memory: old file, new file and patch are held whole; the new file is written only after
//   the whole patch applied.
// Each file-level entry point leaves the old file and the patch in place, and opens the old file
// sharing reads (a running executable can be the old file). Narrow paths are in the system code
// page.

// Raised by the UI thread's exit command; the streaming applier stops at its next piece or triple.
extern std::atomic<bool> PatchCancelFlag;
// Chooses the patch suffix: ".qzdiff" when set, ".patch" when clear (the start value).
extern std::atomic<bool> AltPatchSuffix;

// ".qzdiff" or ".patch", as AltPatchSuffix says now; a file's patch is its path plus this.
const char* CurrentPatchSuffix();

enum PatchStreamResult : int {
    kPatchApplied = 0,
    kPatchBadHeader = -6,        // shorter than 32 bytes, wrong magic, or a negative C, D or N
    kPatchControlPastEnd = -8,   // 32 + C beyond the patch
    kPatchDiffPastEnd = -9,      // 32 + C + D beyond the patch
    kPatchNoWorkBuffer = -10,
    kPatchNoOldBuffer = -11,
    kPatchTripleFailed = -12,    // the reason in detail (PatchTripleDetail)
};

enum PatchTripleDetail : int {
    kTripleControlPastEnd = -1,  // fewer than 24 bytes left for a triple
    kTripleBadLength = -2,       // x or y negative, or the add span passes the new size
    kTripleAddSpanFailed = -3,   // patch bytes, old-file read or write failed, or cancelled
    kTripleCopyPastNewSize = -4,
    kTripleCopySpanFailed = -5,
    kTripleCancelled = -6,       // PatchCancelFlag seen after a triple
};

// The streaming applier over an inflated patch: writes newSize bytes to newFile from oldFile
// (oldSize bytes). detail is 0 at entry and holds a PatchTripleDetail after kPatchTripleFailed.
// The new file keeps what was written before a failure.
int ApplyPatchStream(HANDLE oldFile, std::int64_t oldSize, HANDLE newFile, std::int64_t newSize,
                     const std::uint8_t* patch, int length, int& detail);

enum PatchFileResult : int {
    kPatchFileUnreadable = -1,   // the patch does not open (error := system code) or its container fails
    kPatchFileBadHeader = -2,
    kPatchFileNoOldFile = -3,
    kPatchFileNoNewFile = -4,    // also when the new file's folder cannot be made
    // otherwise ApplyPatchStream's result, error holding its detail
};

// The streaming file-level applier: newPath (created anew, its folder too) from oldPath and
// patchPath. Returns 0 or a PatchFileResult / PatchStreamResult. The narrow form takes UTF-8.
int ApplyPatchFileA(const std::string& oldPath, const std::string& newPath, const std::string& patchPath,
                    int& error);
int ApplyPatchFileW(const std::wstring& oldPath, const std::wstring& newPath, const std::wstring& patchPath,
                    int& error);

// The in-memory applier: fills newData (newSize bytes, which must equal the header's N) from
// oldData. 0, or -1 after printing the reason to standard output.
int ApplyPatchMemory(const std::uint8_t* oldData, std::int64_t oldSize, std::uint8_t* newData,
                     std::int64_t newSize, const std::uint8_t* patch, int length);

// The in-memory file-level applier: 0, or -1 after printing the reason; on failure no new file
// is left behind. The narrow form takes UTF-8.
int BaPatchFileA(const std::string& oldPath, const std::string& newPath, const std::string& patchPath);
int BaPatchFileW(const std::wstring& oldPath, const std::wstring& newPath, const std::wstring& patchPath);
