#include "update/predownload_adoption.h"

#include <windows.h>

#include <cstdint>

#include "app/file_probe.h"
#include "app/file_util.h"
#include "app/launcher_context.h"
#include "app/md5.h"
#include "app/safe_path.h"
#include "base/path_util.h"
#include "download/resume_record.h"
#include "update/update_paths.h"

namespace {

bool Exists(const std::string& path) {
    return CanOpenForReading(kbase::WidePath(path));
}

void Delete(const std::string& path) {
    DeleteIfPresent(kbase::WidePath(path));
}

// A move that falls back to a copy, keeping the source, when the file cannot be moved; only the
// copy with keepSource.
void MoveOrCopy(const std::string& from, const std::string& to, bool keepSource) {
    const std::wstring source = kbase::WidePath(from);
    const std::wstring target = kbase::WidePath(to);
    if (keepSource || !::MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        ::CopyFileW(source.c_str(), target.c_str(), FALSE);
    }
}

// Moves source (and, when incomplete, its record) onto target; the answer for a complete one.
bool TakeOver(const std::string& source, const std::string& target, const std::string& md5, bool complete,
              bool keepSource) {
    MoveOrCopy(source, target, keepSource);
    if (!complete) {
        MoveOrCopy(ResumeRecordPath(source), ResumeRecordPath(target), keepSource);
        return false;
    }
    if (!LauncherContext::Instance()->PreDlcCheck) return true;
    std::string hex;
    std::int64_t size = 0;
    return VerifyFileMd5(target, md5, hex, size);
}

}  // namespace

bool AdoptPreDownloadedFile(const std::string& preDownloadFolder, const std::string& updateFolder,
                            const std::string& name, const std::string& md5, bool keepSource) {
    // The MD5 text names the file: an empty or odd one names nothing that can be taken.
    if (md5.empty() || !IsSafeRelativePath(md5) || !IsSafeRelativePath(name)) return false;
    const std::string source = NormalizePath(preDownloadFolder, true) + md5;
    if (!Exists(source)) return false;
    const bool complete = !Exists(ResumeRecordPath(source));
    const std::string target = NormalizePath(NormalizePath(updateFolder, true) + name, false);
    const std::string targetRecord = ResumeRecordPath(target);

    if (!Exists(target)) {
        std::string folder, file;
        if (SplitPath(target, folder, file) && !FolderExists(folder)) CreateDirectories(folder);
        Delete(targetRecord);
        return TakeOver(source, target, md5, complete, keepSource);
    }
    if (ResumeRecordMatchesMd5(target, md5)) {
        if (!complete) return false;
        Delete(target);
        Delete(targetRecord);
        return TakeOver(source, target, md5, true, keepSource);
    }
    // Without a record the target may be complete already; a record for other content makes
    // the target worthless.
    if (!Exists(targetRecord)) return false;
    Delete(target);
    Delete(targetRecord);
    return TakeOver(source, target, md5, complete, keepSource);
}
