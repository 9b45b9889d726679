#pragma once

#include <string>
#include <string_view>

// A fresh folder under the system's temporary folder that is the working folder while the
// object lives, as the launcher's own folder is for the launcher; afterwards the previous
// working folder is restored and the folder removed with its contents.
class ScopedWorkingFolder {
public:
    ScopedWorkingFolder();
    ~ScopedWorkingFolder();
    ScopedWorkingFolder(const ScopedWorkingFolder&) = delete;
    ScopedWorkingFolder& operator=(const ScopedWorkingFolder&) = delete;

    // The folder, without a trailing separator.
    const std::wstring& path() const { return path_; }
    // path() + "\" + relative.
    std::wstring Child(const std::wstring& relative) const;
    // Writes bytes to the file below the folder directly, creating its folders.
    void Write(const std::wstring& relative, std::string_view bytes) const;
    // The file's bytes; empty when it cannot be read.
    std::string Read(const std::wstring& relative) const;
    bool Exists(const std::wstring& relative) const;

private:
    std::wstring previous_;
    std::wstring path_;
};
