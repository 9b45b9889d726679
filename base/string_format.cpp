#include "base/string_format.h"

#include <array>
#include <cstddef>
#include <cwchar>
#include <memory>

namespace kbase {

namespace {

constexpr std::size_t kStackChars = 1024;
constexpr std::size_t kFirstHeapChars = 2048;
constexpr std::size_t kMaxChars = std::size_t{1} << 25;

// Formats into buffer; the length when the whole text and its NUL fit, else -1. The runtime
// reports overflow either as -1 or as a count of at least the buffer size, depending on which
// one is linked, and may leave the text unterminated when it just fills the buffer.
int FormatInto(wchar_t* buffer, std::size_t size, const wchar_t* format, va_list args) {
    va_list copy;
    va_copy(copy, args);  // every attempt needs the arguments from the start
    const int result = _vsnwprintf(buffer, size, format, copy);
    va_end(copy);
    return result >= 0 && static_cast<std::size_t>(result) < size ? result : -1;
}

}  // namespace

void AppendFormattedV(const wchar_t* format, va_list args, std::wstring& out) {
    std::array<wchar_t, kStackChars> stack_buffer;
    int length = FormatInto(stack_buffer.data(), stack_buffer.size(), format, args);
    if (length >= 0) {
        out.append(stack_buffer.data(), static_cast<std::size_t>(length));
        return;
    }
    for (std::size_t size = kFirstHeapChars; size <= kMaxChars; size *= 2) {
        const auto heap_buffer = std::make_unique_for_overwrite<wchar_t[]>(size);
        length = FormatInto(heap_buffer.get(), size, format, args);
        if (length >= 0) {
            out.append(heap_buffer.get(), static_cast<std::size_t>(length));
            return;
        }
    }
}

std::wstring FormatWideString(const wchar_t* format, ...) {
    std::wstring out;
    va_list args;
    va_start(args, format);
    AppendFormattedV(format, args, out);
    va_end(args);
    return out;
}

std::wstring FillTextValue(const std::wstring& text, const std::wstring& value) {
    std::wstring out;
    out.reserve(text.size() + value.size());
    bool filled = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'%') {
            out += text[i];
        } else if (text.compare(i, 2, L"%%") == 0) {
            out += L'%';
            ++i;
        } else if (!filled && text.compare(i, 3, L"%ls") == 0) {
            out += value;
            filled = true;
            i += 2;
        } else if (!filled && text.compare(i, 2, L"%s") == 0) {
            out += value;
            filled = true;
            ++i;
        } else {
            out += L'%';
        }
    }
    return out;
}

}  // namespace kbase
