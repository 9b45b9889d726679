#include "ui/language_table.h"

#include <algorithm>
#include <utility>

#include "app/file_util.h"
#include "base/string_conversions.h"
#include "base/string_util.h"
#include "ui/global_block.h"

namespace ui {
namespace {

// The buffer a file line is read into; a longer line comes as several.
constexpr std::size_t kFileLineBuffer = 4096;

using Texts = std::map<std::wstring, std::wstring>;

// Codes 30 and 31 are kept; every other code up to the blank goes.
bool IsTrimmed(wchar_t c) {
    return c <= 32 && c != 30 && c != 31;
}

std::wstring Trim(std::wstring_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsTrimmed(text[begin])) ++begin;
    while (end > begin && IsTrimmed(text[end - 1])) --end;
    return std::wstring(text.substr(begin, end - begin));
}

// The non-empty pieces between the '=' of line.
std::vector<std::wstring_view> Pieces(std::wstring_view line) {
    std::vector<std::wstring_view> pieces;
    std::size_t start = 0;
    while (start <= line.size()) {
        const std::size_t end = std::min(line.find(L'=', start), line.size());
        if (end > start) pieces.push_back(line.substr(start, end - start));
        start = end + 1;
    }
    return pieces;
}

void ParseInto(const std::vector<std::wstring>& lines, Texts& texts) {
    for (const std::wstring& line : lines) {
        const std::vector<std::wstring_view> pieces = Pieces(line);
        if (pieces.size() != 2) continue;
        const std::wstring key = Trim(pieces[0]);
        if (key.empty() || key.find(L';') != std::wstring::npos) continue;
        texts[key] = Trim(pieces[1]);
    }
}

// The file's lines as a text-mode line reader gives them: CR LF read as LF, at most
// kFileLineBuffer - 1 bytes (the LF included) at a time, each ending at its first NUL.
std::vector<std::string_view> FileLines(std::string& text) {
    kbase::ReplaceAll(std::string_view("\r\n"), std::string_view("\n"), text);
    std::vector<std::string_view> lines;
    const std::string_view all(text);
    std::size_t start = 0;
    while (start < all.size()) {
        const std::size_t lineFeed = all.find('\n', start);
        const std::size_t lineEnd = lineFeed == std::string_view::npos ? all.size() : lineFeed + 1;
        const std::size_t end = std::min(lineEnd, start + kFileLineBuffer - 1);
        std::string_view line = all.substr(start, end - start);
        lines.push_back(line.substr(0, line.find('\0')));
        start = end;
    }
    return lines;
}

// The block's lines: cut at every LF and every NUL.
std::vector<std::string_view> MemoryLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start <= bytes.size()) {
        std::size_t end = bytes.find_first_of(std::string_view("\n\0", 2), start);
        if (end == std::string_view::npos) end = bytes.size();
        lines.push_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

}  // namespace

LanguageTable& LanguageTable::GetInstance() {
    static LanguageTable table;
    return table;
}

bool LanguageTable::LoadFromFile(const std::wstring& path) {
    std::string text;
    const bool read = ReadFileToStringW(path, text);
    if (!read) text.clear();  // an unreadable file leaves the table empty
    Load(FileLines(text));
    return read;
}

bool LanguageTable::LoadFromMemory(HGLOBAL block) {
    const LockedGlobalBlock locked(block);
    Load(MemoryLines(locked.Bytes()));
    return true;
}

void LanguageTable::Load(const std::vector<std::string_view>& rawLines) {
    std::vector<std::wstring> lines;
    for (const std::string_view raw : rawLines) {
        std::wstring wide;
        kbase::CodePageToWide(std::string(raw), wide, CP_UTF8);
        std::wstring line = Trim(wide);
        if (!line.empty()) lines.push_back(std::move(line));
    }
    Texts texts;
    ParseInto(lines, texts);
    kbase::AutoLock hold(lock_);
    texts_.swap(texts);
    overrides_.clear();
}

bool LanguageTable::ParseLines(const std::vector<std::wstring>& lines) {
    if (lines.empty()) return false;
    Texts texts;
    ParseInto(lines, texts);
    kbase::AutoLock hold(lock_);
    for (auto& [key, text] : texts) texts_[key] = std::move(text);
    return true;
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
    Texts texts;
    Texts overrides;
    kbase::AutoLock hold(lock_);
    texts_.swap(texts);
    overrides_.swap(overrides);
}

}  // namespace ui
