#include "update/update_paths.h"

#include <windows.h>

#include "app/file_util.h"
#include "base/string_conversions.h"

std::wstring AnsiToWide(const std::string& text) {
    std::wstring wide;
    kbase::CodePageToWide(text, wide, CP_ACP);
    return wide;
}

std::string WideToAnsi(const std::wstring& text) {
    std::string narrow;
    kbase::WideToCodePage(text, narrow, CP_ACP);
    return narrow;
}

std::wstring GameFilePath(const std::wstring& gamePath, const std::string& key) {
    return NormalizePathW(NormalizePathW(gamePath, true) + AnsiToWide(key), false);
}

std::wstring LauncherFilePath(const std::string& key) {
    return AnsiToWide(NormalizePath(".\\" + key, false));
}

std::wstring InstalledGameFilePath(const std::wstring& gamePath, const std::string& key,
                                   const std::map<std::wstring, std::wstring>& renames) {
    const auto renamed = renames.find(AnsiToWide(key));
    if (renamed == renames.end()) return GameFilePath(gamePath, key);
    return NormalizePathW(NormalizePathW(gamePath, true) + renamed->second, false);
}

std::string UpdateFilePath(const std::string& key) {
    return NormalizePath(std::string(kUpdateDir) + "\\" + key, false);
}
