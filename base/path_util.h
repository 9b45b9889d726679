#pragma once

#include <list>
#include <string>

#include <windows.h>

namespace kbase {

// The launcher's narrow paths are UTF-8, as the version-map keys they are made of come from the
// servers and the JSON files; these are the one conversion between them and the system's UTF-16
// paths.
std::wstring WidePath(const std::string& utf8Path);
std::string Utf8Path(const std::wstring& widePath);

// Full path of the module's file, however long; empty when the system cannot name it.
std::wstring GetModuleFilePath(HMODULE module);

// The module (executable or DLL) that contains this code.
HMODULE GetOwnModuleHandle();

// The folder of that module, ending with a separator; ".\" when it cannot be found.
std::wstring GetOwnModuleDirectory();

// out := path up to and including its last separator. False (out untouched) for paths shorter
// than two characters and when the only separator is the first character.
bool GetDirectoryPart(const std::wstring& path, std::wstring& out);

// Splits at runs of separators; every component but a trailing file name ends with one
// backslash. A leading pair of separators stays on the first component ("\\server\",
// "\\?\"). False only for a null path.
bool SplitPathComponents(const wchar_t* path, std::list<std::wstring>& out);

// Creates every missing folder of path; true when path ends up a folder. UNC and \\?\ paths
// are created below their share or volume, which must already exist.
bool CreateDirectoryTree(const wchar_t* path);

}  // namespace kbase
