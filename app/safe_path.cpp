#include "app/safe_path.h"

#include <cstddef>
#include <string_view>
#include <type_traits>

namespace {

constexpr std::size_t kMaxVersionGroupDigits = 9;

template <class Char>
bool IsSeparator(Char c) {
    return c == Char('\\') || c == Char('/');
}

// "." and ".." (also with trailing spaces, which the system strips from path components).
template <class Char>
bool IsDotComponent(std::basic_string_view<Char> component) {
    while (!component.empty() && component.back() == Char(' ')) component.remove_suffix(1);
    if (component.empty() || component.size() > 2) return false;
    for (const Char c : component)
        if (c != Char('.')) return false;
    return true;
}

template <class Char>
bool CheckRelativePath(std::basic_string_view<Char> path, std::string* error) {
    const auto refuse = [error](const char* why) {
        if (error) *error = why;
        return false;
    };
    if (path.empty()) return refuse("empty path");
    if (IsSeparator(path.front())) return refuse("path starts with a separator");
    std::size_t start = 0;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i < path.size()) {
            const Char c = path[i];
            if (c == Char(':')) return refuse("path contains ':' (drive or stream)");
            if (static_cast<std::make_unsigned_t<Char>>(c) < 0x20)
                return refuse("path contains a control character");
            if (!IsSeparator(c)) continue;
        }
        if (IsDotComponent(path.substr(start, i - start)))
            return refuse("path has a '.' or '..' component");
        start = i + 1;
    }
    if (error) error->clear();
    return true;
}

}  // namespace

bool IsSafeRelativePath(const std::wstring& path, std::string* error) {
    return CheckRelativePath(std::wstring_view(path), error);
}

bool IsSafeRelativePath(const std::string& path, std::string* error) {
    return CheckRelativePath(std::string_view(path), error);
}

bool IsSafeVersionFolderName(const std::string& version) {
    int groups = 0;
    std::size_t digits = 0;
    for (const char c : version) {
        if (c >= '0' && c <= '9') {
            if (++digits > kMaxVersionGroupDigits) return false;
        } else if (c == '_' && digits > 0 && groups < 2) {
            ++groups;
            digits = 0;
        } else {
            return false;
        }
    }
    return groups == 2 && digits > 0;
}
