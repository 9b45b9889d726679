#include "base/string_util.h"

namespace kbase {

namespace {

template <class Char>
std::size_t ReplaceAllIn(std::basic_string_view<Char> find, std::basic_string_view<Char> replacement,
                         std::basic_string<Char>& subject) {
    if (find.empty()) return 0;
    const std::basic_string_view<Char> source(subject);
    std::size_t count = 0;
    for (std::size_t pos = source.find(find); pos != source.npos; pos = source.find(find, pos + find.size()))
        ++count;
    if (count == 0) return 0;
    // Built aside so that find or replacement may point into subject; one allocation.
    std::basic_string<Char> result;
    result.reserve(source.size() - count * find.size() + count * replacement.size());
    std::size_t copied = 0;
    for (std::size_t pos = source.find(find); pos != source.npos; pos = source.find(find, copied)) {
        result.append(source.substr(copied, pos - copied)).append(replacement);
        copied = pos + find.size();
    }
    result.append(source.substr(copied));
    subject.swap(result);
    return count;
}

}  // namespace

std::list<std::wstring> SplitByDelimiters(const std::wstring& text, const std::wstring& delimiters) {
    std::list<std::wstring> tokens;
    std::size_t start = text.find_first_not_of(delimiters);
    while (start != std::wstring::npos) {
        const std::size_t end = text.find_first_of(delimiters, start);
        tokens.push_back(text.substr(start, end - start));
        start = text.find_first_not_of(delimiters, end);
    }
    return tokens;
}

std::wstring& TrimTrailingSpaceAndControls(std::wstring& text) {
    while (!text.empty() && (text.back() == L' ' || text.back() < 30)) text.pop_back();
    return text;
}

std::size_t ReplaceAll(std::string_view find, std::string_view replacement, std::string& subject) {
    return ReplaceAllIn(find, replacement, subject);
}

std::size_t ReplaceAll(std::wstring_view find, std::wstring_view replacement, std::wstring& subject) {
    return ReplaceAllIn(find, replacement, subject);
}

std::wstring NormalizePathSeparators(const std::wstring& path) {
    std::wstring normal = path;
    ReplaceAll(L"/", L"\\", normal);
    // Halving the leading pair would turn \\server\share into a path on the current drive.
    const std::size_t kept = normal.starts_with(L"\\\\") ? 2 : 0;
    std::wstring rest = normal.substr(kept);
    ReplaceAll(L"\\\\", L"\\", rest);
    return normal.substr(0, kept) + rest;
}

}  // namespace kbase
