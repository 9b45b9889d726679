#pragma once

#include <windows.h>

#include <compare>
#include <string>
#include <string_view>
#include <vector>

// Text across the browser boundary: UTF-16, converted from and to UTF-8 where the launcher and
// page messages hold narrow text.
class CefString {
public:
    CefString() = default;
    CefString(const wchar_t* text) : text_(text ? text : L"") {}
    CefString(std::wstring text) : text_(std::move(text)) {}
    // From UTF-8; invalid sequences become U+FFFD.
    CefString(std::string_view utf8) : text_(FromUtf8(utf8)) {}
    CefString(const std::string& utf8) : CefString(std::string_view(utf8)) {}
    CefString(const char* utf8) : CefString(std::string_view(utf8 ? utf8 : "")) {}

    // The text as UTF-16.
    const std::wstring& ToWString() const { return text_; }
    // The text as UTF-8.
    std::string ToString() const { return ToUtf8(text_); }
    // Null-terminated UTF-16 text.
    const wchar_t* c_str() const { return text_.c_str(); }
    // Length in UTF-16 units.
    std::size_t length() const { return text_.size(); }
    bool empty() const { return text_.empty(); }
    // Ordinal comparison of the UTF-16 units: negative, 0 or positive.
    int compare(const CefString& other) const { return text_.compare(other.text_); }

    bool operator==(const CefString& other) const { return text_ == other.text_; }
    std::strong_ordering operator<=>(const CefString& other) const { return text_ <=> other.text_; }

private:
    static std::wstring FromUtf8(std::string_view utf8) {
        if (utf8.empty()) return std::wstring();
        const int size = static_cast<int>(utf8.size());
        std::wstring wide(::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0), L'\0');
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), static_cast<int>(wide.size()));
        return wide;
    }
    static std::string ToUtf8(const std::wstring& wide) {
        if (wide.empty()) return std::string();
        const int size = static_cast<int>(wide.size());
        std::string utf8(::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr), '\0');
        ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr);
        return utf8;
    }

    std::wstring text_;
};

using CefStringList = std::vector<CefString>;
