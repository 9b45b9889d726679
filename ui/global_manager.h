#pragma once

#include <cstddef>
#include <string>

namespace ui {

// The UI framework's process-wide state, for now the part the launcher's start-up, language
// switch and skin archive need: the resource root, the current language and its language
// file, and the open skin archive. Skin files are read from the resource folder on disk; the
// archive is kept for the zip reader.
class GlobalManager {
public:
    GlobalManager() = delete;

    // Resource root := resourcePath + themePath (with a trailing separator); current
    // language := language, whose file resourcePath\lang\<language>.ini is loaded.
    static void Startup(const std::wstring& resourcePath, const std::wstring& themePath,
                        const std::wstring& language);
    // Releases what Startup and the archive hold.
    static void Shutdown();

    static std::wstring GetResourcePath();
    static std::wstring GetLanguage();
    static void SetLanguage(const std::wstring& language);
    // Loads the current language's file again (.\resources\lang\<language>.ini).
    static void ReloadLanguage();

    // The skin archive by file or from memory (the bytes are copied). False, with no archive
    // open, when the source is not a zip archive.
    static bool OpenResourceZip(const std::wstring& path);
    static bool OpenResourceZip(const void* bytes, std::size_t size);
    static void CloseResourceZip();
    static bool HasResourceZip();

    // A skin file by its path, relative paths under the resource root; false when it cannot
    // be read.
    static bool ReadResourceFile(const std::wstring& path, std::string& bytes);
};

}  // namespace ui
