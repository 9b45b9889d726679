#include "app/text_util.h"

#include <cwchar>

namespace {

template <class String>
int SplitAt(const String& text, const String& separator, std::vector<String>& out) {
    out.clear();
    if (text.empty() || separator.empty()) return 0;
    typename String::size_type start = 0;
    while (start < text.size()) {
        const auto cut = text.find_first_of(separator, start);
        if (cut == String::npos) {
            out.push_back(text.substr(start));
            break;
        }
        out.push_back(text.substr(start, cut - start));
        start = cut + separator.size();
    }
    return static_cast<int>(out.size());
}

}  // namespace

void FormatDuration(unsigned seconds, wchar_t* buffer, int capacity) {
    if (!buffer || capacity <= 0) return;
    std::swprintf(buffer, static_cast<std::size_t>(capacity), L"%02u:%02u:%02u", seconds / 3600,
                  seconds % 3600 / 60, seconds % 60);
    buffer[capacity - 1] = L'\0';
}

int SplitString(const std::string& text, const std::string& separator,
                std::vector<std::string>& out) {
    return SplitAt(text, separator, out);
}

int SplitStringW(const std::wstring& text, const std::wstring& separator,
                 std::vector<std::wstring>& out) {
    return SplitAt(text, separator, out);
}
