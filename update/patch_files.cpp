#include "update/patch_files.h"

#include "app/file_util.h"

kbase::ScopedFileHandle OpenPatchInput(const std::wstring& path) {
    return kbase::ScopedFileHandle(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                                 FILE_ATTRIBUTE_NORMAL, nullptr));
}

kbase::ScopedFileHandle CreatePatchOutput(const std::wstring& path) {
    std::wstring folder;
    std::wstring name;
    if (SplitPathW(path, folder, name) && !CreateDirectoriesW(folder)) return kbase::ScopedFileHandle();
    return kbase::ScopedFileHandle(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                                 CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

int LoadPatchFile(const std::wstring& path, PatchBytes& data, int& size, DWORD& openError) {
    kbase::ScopedFileHandle file = OpenPatchInput(path);
    if (!file) {
        openError = ::GetLastError();
        return 0;
    }
    return ReadPatchContainer(file.Get(), data, size);
}
