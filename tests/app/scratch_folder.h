#pragma once

#include <string>
#include <string_view>

// A fresh, empty folder under the system's temporary folder, removed with its contents when
// the object goes.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder, without a trailing separator.
    const std::wstring& path() const { return path_; }
    // path() + "\" + relative.
    std::wstring Child(const std::wstring& relative) const;
    // Writes bytes to Child(relative) directly (not through the code under test).
    void WriteFile(const std::wstring& relative, std::string_view bytes) const;

private:
    std::wstring path_;
};

// Reads a whole file directly; empty when it cannot be read.
std::string ReadWholeFile(const std::wstring& path);
