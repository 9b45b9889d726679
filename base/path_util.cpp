#include "base/path_util.h"

#include <algorithm>
#include <cstddef>
#include <cwctype>
#include <string_view>

#include "base/string_conversions.h"

namespace kbase {

namespace {

constexpr std::wstring_view kSeparators = L"\\/";
// Longer than any Windows path (32,767 characters), so the name always fits before this.
constexpr DWORD kMaxModulePathChars = 1 << 16;

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool IsDirectory(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool EqualsIgnoringCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::towlower(a[i]) != std::towlower(b[i])) return false;
    return true;
}

// How many leading prefixes name no folder that could be created: "\\server\" of a UNC
// path, "\\?\" of a device path, and "\\?\UNC\server\" of a long UNC path. The prefix after
// them (share or volume) must exist.
std::size_t RootPrefixesToSkip(const std::list<std::wstring>& components) {
    auto it = components.begin();
    if (it == components.end() || !it->starts_with(L"\\\\")) return 0;
    if (*it != L"\\\\?\\" && *it != L"\\\\.\\") return 1;
    ++it;
    return it != components.end() && EqualsIgnoringCase(*it, L"UNC\\") ? 3 : 1;
}

}  // namespace

std::wstring WidePath(const std::string& utf8Path) {
    std::wstring wide;
    CodePageToWide(utf8Path, wide, CP_UTF8);
    return wide;
}

std::string Utf8Path(const std::wstring& widePath) {
    std::string utf8;
    WideToCodePage(widePath, utf8, CP_UTF8);
    return utf8;
}

std::wstring GetModuleFilePath(HMODULE module) {
    std::wstring path;
    for (DWORD size = MAX_PATH; size <= kMaxModulePathChars; size *= 2) {
        path.resize(size);
        const DWORD length = ::GetModuleFileNameW(module, path.data(), size);
        if (length < size) {  // a name that fills the buffer was cut
            path.resize(length);
            return path;
        }
    }
    return {};
}

HMODULE GetOwnModuleHandle() {
    MEMORY_BASIC_INFORMATION region{};
    if (!::VirtualQuery(reinterpret_cast<LPCVOID>(&GetOwnModuleHandle), &region, sizeof(region)))
        return nullptr;
    return static_cast<HMODULE>(region.AllocationBase);
}

std::wstring GetOwnModuleDirectory() {
    std::wstring directory;
    if (!GetDirectoryPart(GetModuleFilePath(GetOwnModuleHandle()), directory)) return L".\\";
    return directory;
}

bool GetDirectoryPart(const std::wstring& path, std::wstring& out) {
    if (path.size() < 2) return false;
    const std::size_t last = path.find_last_of(kSeparators);
    if (last == std::wstring::npos || last == 0) return false;
    out = path.substr(0, last + 1);
    return true;
}

bool SplitPathComponents(const wchar_t* path, std::list<std::wstring>& out) {
    out.clear();
    if (!path) return false;
    std::wstring_view rest(path);
    std::wstring component;
    if (rest.size() >= 2 && IsSeparator(rest[0]) && IsSeparator(rest[1])) {
        component = L"\\\\";
        rest.remove_prefix(std::min(rest.find_first_not_of(kSeparators), rest.size()));
        if (rest.empty()) out.push_back(component);
    }
    while (!rest.empty()) {
        const std::size_t end = rest.find_first_of(kSeparators);
        component.append(rest.substr(0, end));
        if (end == std::wstring_view::npos) {
            out.push_back(component);
            break;
        }
        component.push_back(L'\\');
        out.push_back(std::move(component));
        component.clear();
        rest.remove_prefix(std::min(rest.find_first_not_of(kSeparators, end), rest.size()));
    }
    return true;
}

bool CreateDirectoryTree(const wchar_t* path) {
    if (!path) return false;
    if (IsDirectory(path)) return true;
    std::list<std::wstring> components;
    SplitPathComponents(path, components);
    if (components.empty()) return false;
    std::size_t skip = RootPrefixesToSkip(components);
    std::wstring prefix;
    for (const std::wstring& component : components) {
        prefix += component;
        if (skip > 0) {
            --skip;
            continue;
        }
        if (IsDirectory(prefix)) continue;
        // Already-exists is fine when another process made the folder meanwhile, not for a file.
        if (!::CreateDirectoryW(prefix.c_str(), nullptr) &&
            (::GetLastError() != ERROR_ALREADY_EXISTS || !IsDirectory(prefix)))
            return false;
    }
    return true;
}

}  // namespace kbase
