#include "ui/attribute_values.h"

#include <cerrno>
#include <climits>
#include <cwchar>

namespace ui {
namespace {

// Reads one number at text[pos] and returns where it ended; the text is NUL-terminated, so
// wcstol stops at its end.
std::size_t ReadNumber(const std::wstring& text, std::size_t pos, int& out) {
    if (pos >= text.size()) {
        out = 0;
        return text.size();
    }
    const wchar_t* begin = text.c_str() + pos;
    wchar_t* end = nullptr;
    errno = 0;
    const long value = std::wcstol(begin, &end, 10);
    out = value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
    return pos + static_cast<std::size_t>(end - begin);
}

}  // namespace

bool ParseBool(const std::wstring& value) {
    return value == L"true";
}

int ParseInt(const std::wstring& value) {
    int out = 0;
    ReadNumber(value, 0, out);
    return out;
}

std::vector<int> ParseIntList(const std::wstring& value, std::size_t count) {
    std::vector<int> numbers(count, 0);
    std::size_t pos = 0;
    for (std::size_t i = 0; i < count && pos < value.size(); ++i) {
        pos = ReadNumber(value, pos, numbers[i]) + 1;  // skip one separator
    }
    return numbers;
}

RECT ParseRect(const std::wstring& value) {
    const std::vector<int> n = ParseIntList(value, 4);
    return RECT{n[0], n[1], n[2], n[3]};
}

SIZE ParseSize(const std::wstring& value) {
    const std::vector<int> n = ParseIntList(value, 2);
    return SIZE{n[0], n[1]};
}

POINT ParsePoint(const std::wstring& value) {
    const std::vector<int> n = ParseIntList(value, 2);
    return POINT{n[0], n[1]};
}

int StateOfAttribute(const std::wstring& name, const wchar_t* const (&names)[4]) {
    for (int state = 0; state < 4; ++state) {
        if (name == names[state]) return state;
    }
    return -1;
}

}  // namespace ui
