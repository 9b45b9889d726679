#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "base/lock.h"

namespace ui {

// The texts of the current language by text id ("STRING_..."), from the language file
// lang\<code>.ini, and the channel's override texts. Loads run on the UI thread while the
// worker looks texts up: a load parses apart and swaps the new texts in under the lock, so a
// lookup sees the old table or the new one, never a half-filled one.
class LanguageTable {
public:
    static LanguageTable& GetInstance();

    LanguageTable(const LanguageTable&) = delete;
    LanguageTable& operator=(const LanguageTable&) = delete;

    // Both load a language file ("id = text" lines), dropping every text and override held
    // before. LoadFromFile is false, leaving the table empty, when the file cannot be read; it
    // reads lines of at most 4,095 bytes (a longer line is taken as several). LoadFromMemory
    // reads the whole block, where a NUL byte also ends a line; always true.
    bool LoadFromFile(const std::wstring& path);
    bool LoadFromMemory(HGLOBAL block);

    // The entries of trimmed, non-empty lines: a line of exactly one key and one value around
    // "=" (empty pieces between "=" do not count), the key holding no ";". A later entry of a
    // key wins. False for no lines.
    bool ParseLines(const std::vector<std::wstring>& lines);

    // The text of id, the override winning; empty for an id the language file lacks (an
    // override alone is not used). The escapes \r and \n become the characters.
    std::wstring GetText(const std::wstring& id) const;
    std::string GetTextUtf8(const std::string& id) const;

    // Replaces the override of id.
    void SetOverride(const std::wstring& id, const std::wstring& text);
    void Clear();

private:
    LanguageTable() = default;
    // Clears the table, then parses the lines (UTF-8, each trimmed; empty ones dropped).
    void Load(const std::vector<std::string_view>& lines);

    mutable kbase::Lock lock_;
    std::map<std::wstring, std::wstring> texts_;
    std::map<std::wstring, std::wstring> overrides_;
};

}  // namespace ui
