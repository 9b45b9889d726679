#include "base/string_conversions.h"

#include <climits>

namespace kbase {

namespace {

// The platform counts characters in int; longer text must be refused, not wrapped.
bool FitsPlatformCount(std::size_t size) { return size <= static_cast<std::size_t>(INT_MAX); }

// Converts `size` units of `text` (-1: up to and including its NUL). Returns false when the
// size query fails; the NUL, when converted, is not kept.
bool MultiByteTo(UINT code_page, const char* text, int size, std::wstring& out) {
    const int needed = ::MultiByteToWideChar(code_page, 0, text, size, nullptr, 0);
    if (needed < 1) return false;
    out.resize(static_cast<std::size_t>(needed));
    const int written = ::MultiByteToWideChar(code_page, 0, text, size, out.data(), needed);
    out.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
    if (size < 0 && !out.empty()) out.pop_back();
    return true;
}

bool WideTo(UINT code_page, const wchar_t* text, int size, std::string& out) {
    const int needed = ::WideCharToMultiByte(code_page, 0, text, size, nullptr, 0, nullptr, nullptr);
    if (needed < 1) return false;
    out.resize(static_cast<std::size_t>(needed));
    const int written =
        ::WideCharToMultiByte(code_page, 0, text, size, out.data(), needed, nullptr, nullptr);
    out.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
    if (size < 0 && !out.empty()) out.pop_back();
    return true;
}

}  // namespace

bool Utf8ToWide(const char* utf8, std::wstring& out) {
    out.clear();
    return utf8 && MultiByteTo(CP_UTF8, utf8, -1, out);
}

bool WideToUtf8(const wchar_t* wide, std::string& out) {
    out.clear();
    return wide && WideTo(CP_UTF8, wide, -1, out);
}

bool WideToUtf8(const std::wstring& wide, std::string& out) {
    out.clear();
    if (wide.empty()) return true;
    return FitsPlatformCount(wide.size()) &&
           WideTo(CP_UTF8, wide.data(), static_cast<int>(wide.size()), out);
}

bool CodePageToWide(const std::string& text, std::wstring& out, UINT code_page) {
    out.clear();
    if (!FitsPlatformCount(text.size())) return false;
    if (!text.empty()) MultiByteTo(code_page, text.data(), static_cast<int>(text.size()), out);
    return true;
}

bool WideToCodePage(const std::wstring& text, std::string& out, UINT code_page) {
    out.clear();
    if (!FitsPlatformCount(text.size())) return false;
    if (!text.empty()) WideTo(code_page, text.data(), static_cast<int>(text.size()), out);
    return true;
}

}  // namespace kbase
