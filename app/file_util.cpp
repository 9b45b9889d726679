#include "app/file_util.h"

#include <cwchar>
#include <filesystem>
#include <fstream>
#include <vector>

#include <windows.h>

#include "app/atomic_file.h"
#include "base/path_util.h"
#include "base/string_conversions.h"
#include "base/unique_handle.h"

namespace {

constexpr std::size_t kReadChunk = 64 * 1024;

struct FindHandleTraits {
    using Raw = HANDLE;
    static Raw Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Raw h) { ::FindClose(h); }
};
using ScopedFindHandle = kbase::UniqueHandle<FindHandleTraits>;

std::list<std::wstring> WidePaths(const std::list<std::string>& paths) {
    std::list<std::wstring> wide;
    for (const std::string& path : paths) wide.push_back(kbase::WidePath(path));
    return wide;
}

void AppendUtf8Paths(const std::list<std::wstring>& paths, std::list<std::string>& out) {
    for (const std::wstring& path : paths) out.push_back(kbase::Utf8Path(path));
}

bool IsDotEntry(const wchar_t* name) {
    return std::wcscmp(name, L".") == 0 || std::wcscmp(name, L"..") == 0;
}

bool IsFolder(const WIN32_FIND_DATAW& entry) {
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Junctions and folder links: entering them would reach files outside the tree.
bool IsLink(DWORD attributes) { return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }

std::wstring AbsolutePath(const std::wstring& path) {
    const DWORD needed = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return {};
    std::wstring full(needed, L'\0');
    const DWORD written = ::GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    if (written == 0 || written >= needed) return {};
    full.resize(written);
    return full;
}

}  // namespace

const std::string& GetSaveDir() {
    static const std::string folder = ".\\save";
    return folder;
}

const std::wstring& GetSaveDirW() {
    static const std::wstring folder = L".\\save";
    return folder;
}

const std::wstring& GetUpdateDirW() {
    static const std::wstring folder = L".\\update";
    return folder;
}

const std::wstring& GetExceptionDirW() {
    static const std::wstring folder = L".\\exception";
    return folder;
}

const std::string& GetPreDownloadDir() {
    static const std::string folder = ".\\update\\predownload";
    return folder;
}

const std::wstring& GetDefaultGameDirW() {
    static const std::wstring folder = kbase::GetOwnModuleDirectory() + L"Tarvenor Game";
    return folder;
}

std::wstring NormalizePathW(const std::wstring& path, bool trailingSeparator) {
    std::wstring result = path;
    for (wchar_t& c : result)
        if (c == L'/') c = L'\\';
    if (trailingSeparator) {
        if (result.empty() || result.back() != L'\\') result.push_back(L'\\');
    } else {
        while (!result.empty() && result.back() == L'\\') result.pop_back();
    }
    return result;
}

std::string NormalizePath(const std::string& path, bool trailingSeparator) {
    return kbase::Utf8Path(NormalizePathW(kbase::WidePath(path), trailingSeparator));
}

bool SplitPathW(const std::wstring& path, std::wstring& folder, std::wstring& name) {
    if (path.empty()) return false;
    std::wstring copy = path;
    for (wchar_t& c : copy)
        if (c == L'/') c = L'\\';
    const std::size_t last = copy.rfind(L'\\');
    if (last == std::wstring::npos || last == 0) return false;
    folder = copy.substr(0, last);
    name = copy.substr(last + 1);
    return true;
}

bool SplitPath(const std::string& path, std::string& folder, std::string& name) {
    std::wstring wide_folder, wide_name;
    if (!SplitPathW(kbase::WidePath(path), wide_folder, wide_name)) return false;
    folder = kbase::Utf8Path(wide_folder);
    name = kbase::Utf8Path(wide_name);
    return true;
}

bool CreateDirectoriesW(const std::wstring& path) {
    return !path.empty() && kbase::CreateDirectoryTree(NormalizePathW(path, true).c_str());
}

bool CreateDirectories(const std::string& path) { return CreateDirectoriesW(kbase::WidePath(path)); }

void DeleteFolderRecursiveW(const std::wstring& path) {
    if (path.empty()) return;
    const std::wstring base = NormalizePathW(path, true);
    const DWORD attributes = ::GetFileAttributesW(NormalizePathW(path, false).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && IsLink(attributes)) {
        ::RemoveDirectoryW(base.c_str());  // the link itself, not what it points at
        return;
    }
    WIN32_FIND_DATAW entry{};
    ScopedFindHandle find(::FindFirstFileW((base + L"*").c_str(), &entry));
    if (!find) return;
    do {
        const std::wstring child = base + entry.cFileName;
        if (IsFolder(entry)) {
            if (IsDotEntry(entry.cFileName)) continue;
            if (IsLink(entry.dwFileAttributes))
                ::RemoveDirectoryW(child.c_str());
            else
                DeleteFolderRecursiveW(child);
        } else if (::SetFileAttributesW(child.c_str(),
                                        entry.dwFileAttributes & ~FILE_ATTRIBUTE_READONLY &
                                            ~FILE_ATTRIBUTE_DIRECTORY) ||
                   ::SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL)) {
            ::DeleteFileW(child.c_str());
        }
    } while (::FindNextFileW(find.Get(), &entry));
    const bool listed_all = ::GetLastError() == ERROR_NO_MORE_FILES;
    find.Reset();  // the folder cannot be removed while it is being listed
    if (listed_all) ::RemoveDirectoryW(base.c_str());
}

void DeleteFolderRecursive(const std::string& path) { DeleteFolderRecursiveW(kbase::WidePath(path)); }

bool FolderExistsW(const std::wstring& path) {
    const std::wstring full = AbsolutePath(path);
    if (full.empty()) return false;
    const DWORD attributes = ::GetFileAttributesW(full.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path) { return FolderExistsW(kbase::WidePath(path)); }

int ListFilesRecursiveW(const std::wstring& folder, std::list<std::wstring>& out,
                        const std::list<std::wstring>& excludedFolderNames) {
    const std::wstring base = NormalizePathW(folder, true);
    WIN32_FIND_DATAW entry{};
    ScopedFindHandle find(::FindFirstFileW((base + L"*").c_str(), &entry));
    if (!find) return -1;
    std::vector<std::wstring> subfolders;
    do {
        if (!IsFolder(entry)) {
            out.push_back(base + entry.cFileName);
            continue;
        }
        if (IsDotEntry(entry.cFileName) || IsLink(entry.dwFileAttributes)) continue;
        bool excluded = false;
        for (const std::wstring& name : excludedFolderNames) excluded |= name == entry.cFileName;
        if (!excluded) subfolders.push_back(base + entry.cFileName);
    } while (::FindNextFileW(find.Get(), &entry));
    find.Reset();
    for (const std::wstring& subfolder : subfolders)
        ListFilesRecursiveW(subfolder, out, excludedFolderNames);
    return static_cast<int>(out.size());
}

int ListFilesRecursive(const std::string& folder, std::list<std::string>& out,
                       const std::list<std::string>& excludedFolderNames) {
    std::list<std::wstring> found;
    if (ListFilesRecursiveW(kbase::WidePath(folder), found, WidePaths(excludedFolderNames)) < 0)
        return -1;
    AppendUtf8Paths(found, out);
    return static_cast<int>(out.size());
}

int ListSubfoldersW(const std::wstring& folder, std::list<std::wstring>& out) {
    out.clear();
    WIN32_FIND_DATAW entry{};
    ScopedFindHandle find(::FindFirstFileW((NormalizePathW(folder, true) + L"*").c_str(), &entry));
    if (!find) return -1;
    do {
        if (IsFolder(entry) && !IsDotEntry(entry.cFileName)) out.push_back(entry.cFileName);
    } while (::FindNextFileW(find.Get(), &entry));
    return static_cast<int>(out.size());
}

int ListSubfolders(const std::string& folder, std::list<std::string>& out) {
    out.clear();
    std::list<std::wstring> found;
    const int count = ListSubfoldersW(kbase::WidePath(folder), found);
    AppendUtf8Paths(found, out);
    return count;
}

bool ReadStreamToString(std::istream& stream, std::string& out) {
    std::string contents;
    std::vector<char> chunk(kReadChunk);
    // A read error makes the stream bad (never eof alone), which ends the loop and the read.
    while (stream.good()) {
        stream.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        contents.append(chunk.data(), static_cast<std::size_t>(stream.gcount()));
    }
    if (stream.bad() || !stream.eof()) return false;
    out = std::move(contents);
    return true;
}

bool ReadFileToStringW(const std::wstring& path, std::string& out) {
    if (path.empty()) return false;
    std::ifstream stream(std::filesystem::path(path), std::ios::binary);
    return stream.is_open() && ReadStreamToString(stream, out);
}

bool ReadFileToString(const std::string& path, std::string& out) {
    return ReadFileToStringW(kbase::WidePath(path), out);
}

bool WriteStringToFileW(const std::wstring& path, const std::string& text) {
    return WriteFileAtomic(path, text);
}

bool WriteStringToFile(const std::string& path, const std::string& text) {
    return WriteStringToFileW(kbase::WidePath(path), text);
}

bool GetDiskSpaceW(const std::wstring& path, std::uint64_t& total, std::uint64_t& freeForCaller) {
    const std::wstring full = AbsolutePath(path);
    const std::size_t colon = full.find(L':');
    if (colon == std::wstring::npos || colon == 0) return false;
    ULARGE_INTEGER caller{}, bytes{};
    if (!::GetDiskFreeSpaceExW(full.substr(0, colon + 1).c_str(), &caller, &bytes, nullptr))
        return false;
    total = bytes.QuadPart;
    freeForCaller = caller.QuadPart;
    return true;
}

bool GetDiskSpace(const std::string& path, std::uint64_t& total, std::uint64_t& freeForCaller) {
    return GetDiskSpaceW(kbase::WidePath(path), total, freeForCaller);
}
