#include "update/version_map_writers.h"

#include <list>

#include "app/file_util.h"
#include "app/language_codes.h"
#include "app/md5.h"
#include "app/version_map.h"
#include "base/string_conversions.h"
#include "base/string_util.h"

namespace {

constexpr wchar_t kHere[] = L".\\";

// Adds the file at path (which starts with ".\") when it can be read whole.
void AddEntry(const std::wstring& path, VersionMap& map) {
    VersionMapEntry entry;
    if (!Md5OfFile(path, entry.md5, entry.size)) return;
    std::wstring relative = path.substr(2);
    kbase::ReplaceAll(L"\\", L"/", relative);
    std::string key;
    kbase::WideToUtf8(relative, key);
    map[key] = entry;
}

void AddFolder(const std::wstring& folder, VersionMap& map) {
    std::list<std::wstring> files;
    ListFilesRecursiveW(kHere + folder, files, {});
    for (const std::wstring& file : files) AddEntry(file, map);
}

bool WriteMap(const wchar_t* name, const std::wstring& version, const VersionMap& map) {
    std::string text = "1.0.0";
    if (!version.empty()) kbase::WideToUtf8(version, text);
    return WriteVersionMapFile(kHere + std::wstring(name), text, map);
}

}  // namespace

bool MakeLauncherVersionMap(const std::wstring& version) {
    VersionMap map;
    AddEntry(L".\\launcher.exe", map);
    AddEntry(L".\\resources.zip", map);
    for (const EmbeddedFont& font : EmbeddedFonts) AddEntry(kHere + std::wstring(font.fileName), map);
    AddFolder(L"cef", map);
    return WriteMap(L"launcher_version_map.txt", version, map);
}

bool MakeDependenceVersionMap(const std::wstring& version) {
    VersionMap map;
    AddFolder(L"dependence", map);
    return WriteMap(L"dependence_version_map.txt", version, map);
}
