#pragma once

#include <cstddef>
#include <map>
#include <string>

#include "base/lock.h"

namespace ui {

// The texts of the current language by text id ("STRING_..."), from the language file
// lang\<code>.ini, and the channel's override texts. Loads run on the UI thread while the
// worker may look texts up, so every access takes the table's lock.
class LanguageTable {
public:
    static LanguageTable& GetInstance();

    LanguageTable(const LanguageTable&) = delete;
    LanguageTable& operator=(const LanguageTable&) = delete;

    // Both load a language file's lines ("id = text"; a line that is not exactly one key and
    // one value around "=" is skipped, so is a key holding ";"), dropping every text and
    // override held before. LoadFromFile is false when the file cannot be read.
    bool LoadFromFile(const std::wstring& path);
    bool LoadFromMemory(const void* bytes, std::size_t size);

    // The text of id, the override winning; empty for an id the language file lacks (an
    // override alone is not used). The escapes \r and \n become the characters.
    std::wstring GetText(const std::wstring& id) const;
    std::string GetTextUtf8(const std::string& id) const;

    // Replaces the override of id.
    void SetOverride(const std::wstring& id, const std::wstring& text);
    void Clear();

private:
    LanguageTable() = default;
    void ParseLocked(const std::string& bytes);

    mutable kbase::Lock lock_;
    std::map<std::wstring, std::wstring> texts_;
    std::map<std::wstring, std::wstring> overrides_;
};

}  // namespace ui
