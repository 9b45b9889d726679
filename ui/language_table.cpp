#include "ui/language_table.h"

#include <algorithm>
#include <vector>

#include "app/file_util.h"

#include "base/string_conversions.h"
#include "base/string_util.h"

namespace ui {
namespace {

// Codes 30 and 31 are kept; every other code up to the blank goes.
bool IsTrimmed(wchar_t c) {
    return c <= 32 && c != 30 && c != 31;
}

std::wstring Trim(const std::wstring& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsTrimmed(text[begin])) ++begin;
    while (end > begin && IsTrimmed(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

// The non-empty pieces between the '=' of line.
std::vector<std::wstring> Pieces(const std::wstring& line) {
    std::vector<std::wstring> pieces;
    std::size_t start = 0;
    while (start <= line.size()) {
        const std::size_t end = std::min(line.find(L'=', start), line.size());
        if (end > start) pieces.push_back(line.substr(start, end - start));
        start = end + 1;
    }
    return pieces;
}

}  // namespace

LanguageTable& LanguageTable::GetInstance() {
    static LanguageTable table;
    return table;
}

bool LanguageTable::LoadFromFile(const std::wstring& path) {
    std::string bytes;
    const bool read = ReadFileToStringW(path, bytes);
    kbase::AutoLock hold(lock_);
    ParseLocked(bytes);  // an unreadable file leaves the table empty
    return read;
}

bool LanguageTable::LoadFromMemory(const void* bytes, std::size_t size) {
    kbase::AutoLock hold(lock_);
    ParseLocked(std::string(static_cast<const char*>(bytes), size));
    return true;
}

void LanguageTable::ParseLocked(const std::string& bytes) {
    texts_.clear();
    overrides_.clear();
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find_first_of(std::string("\n\0", 2), start);
        if (end == std::string::npos) end = bytes.size();
        std::wstring line;
        kbase::CodePageToWide(bytes.substr(start, end - start), line, CP_UTF8);
        start = end + 1;
        const std::vector<std::wstring> pieces = Pieces(Trim(line));
        if (pieces.size() != 2) continue;
        const std::wstring key = Trim(pieces[0]);
        if (key.empty() || key.find(L';') != std::wstring::npos) continue;
        texts_[key] = Trim(pieces[1]);
    }
}

std::wstring LanguageTable::GetText(const std::wstring& id) const {
    std::wstring text;
    {
        kbase::AutoLock hold(lock_);
        const auto found = texts_.find(id);
        if (id.empty() || found == texts_.end()) return std::wstring();
        const auto overridden = overrides_.find(id);
        text = overridden != overrides_.end() ? overridden->second : found->second;
    }
    kbase::ReplaceAll(std::wstring_view(L"\\r"), std::wstring_view(L"\r"), text);
    kbase::ReplaceAll(std::wstring_view(L"\\n"), std::wstring_view(L"\n"), text);
    return text;
}

std::string LanguageTable::GetTextUtf8(const std::string& id) const {
    std::wstring wideId;
    kbase::CodePageToWide(id, wideId, CP_UTF8);
    std::string text;
    kbase::WideToUtf8(GetText(wideId), text);
    return text;
}

void LanguageTable::SetOverride(const std::wstring& id, const std::wstring& text) {
    kbase::AutoLock hold(lock_);
    overrides_[id] = text;
}

void LanguageTable::Clear() {
    kbase::AutoLock hold(lock_);
    texts_.clear();
    overrides_.clear();
}

}  // namespace ui
