#include "download/local_file.h"

#include <windows.h>

#include "app/file_util.h"
#include "base/path_util.h"

bool DeleteLocalFile(const std::string& path) {
    const std::wstring wide = kbase::WidePath(path);
    return ::DeleteFileW(wide.c_str()) || ::GetFileAttributesW(wide.c_str()) == INVALID_FILE_ATTRIBUTES;
}

bool LocalFileExists(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesW(kbase::WidePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

kbase::ScopedFileHandle OpenLocalFile(const std::string& path, bool truncate) {
    return kbase::ScopedFileHandle(::CreateFileW(kbase::WidePath(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                 truncate ? CREATE_ALWAYS : OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                                 nullptr));
}

void CreateParentFolders(const std::string& path) {
    std::string folder, name;
    if (SplitPath(path, folder, name) && !FolderExists(folder)) CreateDirectories(folder);
}
