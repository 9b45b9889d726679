#include "update/file_install.h"

#include <windows.h>

#include <cstdint>

#include "app/file_util.h"
#include "app/md5.h"
#include "download/download_result.h"
#include "update/patch_applier.h"

namespace {

constexpr int kInMemoryFailureCode = 10000;

bool Exists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

bool FileHasMd5(const std::wstring& path, const std::string& md5) {
    std::string hex;
    std::int64_t size = 0;
    return !md5.empty() && Md5OfFile(path, hex, size) && hex == md5;
}

PatchOutcome ApplyDownloadedPatch(const std::wstring& oldPath, const std::wstring& newPath,
                                  const std::wstring& patchPath, const std::string& expectedMd5, int patchOption,
                                  int& detail) {
    if (Exists(newPath) && FileHasMd5(newPath, expectedMd5)) return {true, {}};
    bool failed = false;
    int code = 0;
    if (patchOption == 1) {
        failed = BaPatchFileW(oldPath, newPath, patchPath) != 0;
        code = kInMemoryFailureCode;
    } else {
        failed = ApplyPatchFileW(oldPath, newPath, patchPath, detail) != 0;
        code = detail;
    }
    if (failed) return {false, std::to_string(code)};
    if (!expectedMd5.empty() && !FileHasMd5(newPath, expectedMd5)) return {false, kMd5MismatchMessage};
    return {true, {}};
}

bool MoveIntoPlace(const std::wstring& source, const std::wstring& target) {
    if (::MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
    if (!::CopyFileW(source.c_str(), target.c_str(), FALSE)) return false;
    ::DeleteFileW(source.c_str());
    return true;
}

void CreateParentFolder(const std::wstring& path) {
    std::wstring folder, name;
    if (SplitPathW(path, folder, name) && !FolderExistsW(folder)) CreateDirectoriesW(folder);
}
