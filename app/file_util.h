#pragma once

#include <cstdint>
#include <istream>
#include <list>
#include <string>

// The small utilities that go with these helpers (registry value, duration text, splitting)
// have their own headers; they come along with this one.
#include "app/hklm_string_value.h"
#include "app/text_util.h"

// Folders, paths and whole files. Narrow paths are UTF-8 (kbase::WidePath); each narrow function
// converts to UTF-16 and behaves as its wide twin. Relative paths are relative to the working
// folder, which is the launcher's own folder.

// Well-known folders, built on first use and kept for the process's life.
const std::string& GetSaveDir();            // ".\save"
const std::wstring& GetSaveDirW();          // L".\save"
const std::wstring& GetUpdateDirW();        // L".\update"
const std::wstring& GetExceptionDirW();     // L".\exception"
const std::string& GetPreDownloadDir();     // ".\update\predownload"
const std::wstring& GetDefaultGameDirW();   // the launcher's folder + L"Tarvenor Game"

// '/' becomes '\'. With trailingSeparator a '\' is appended when the path does not end with
// one ("" gives "\"); without, every trailing separator is removed.
std::string NormalizePath(const std::string& path, bool trailingSeparator);
std::wstring NormalizePathW(const std::wstring& path, bool trailingSeparator);

// Splits at the last separator (either kind): folder before it (with backslashes), name after.
// False, outputs untouched, for an empty path and when that separator is missing or first.
bool SplitPath(const std::string& path, std::string& folder, std::string& name);
bool SplitPathW(const std::wstring& path, std::wstring& folder, std::wstring& name);

// Creates path and every missing folder above it; true when path then names a folder.
bool CreateDirectories(const std::string& path);
bool CreateDirectoriesW(const std::wstring& path);

// Deletes the folder's files (read-only ones too) and subfolders, then the folder. Junctions
// and folder links are removed as links, never followed. Failures are not reported.
void DeleteFolderRecursive(const std::string& path);
void DeleteFolderRecursiveW(const std::wstring& path);

bool FolderExists(const std::string& path);
bool FolderExistsW(const std::wstring& path);

// Appends to out (not emptied) the path of every file below folder: first the folder's own
// files in listing order, then each subfolder's in turn. Folders whose name is in
// excludedFolderNames (exact, at any depth) and junctions or folder links are not entered.
// Returns out's size, or -1 when folder cannot be listed.
int ListFilesRecursive(const std::string& folder, std::list<std::string>& out,
                       const std::list<std::string>& excludedFolderNames);
int ListFilesRecursiveW(const std::wstring& folder, std::list<std::wstring>& out,
                        const std::list<std::wstring>& excludedFolderNames);

// out := the names of folder's direct subfolders; returns their count, -1 when it cannot be
// listed.
int ListSubfolders(const std::string& folder, std::list<std::string>& out);
int ListSubfoldersW(const std::wstring& folder, std::list<std::wstring>& out);

// out := every byte from the stream's position to its end; false on a read error (out
// untouched).
bool ReadStreamToString(std::istream& stream, std::string& out);
// out := the file's bytes; false (out untouched) when it cannot be opened or read.
bool ReadFileToString(const std::string& path, std::string& out);
bool ReadFileToStringW(const std::wstring& path, std::string& out);

// Replaces the file's contents with text whole or not at all (see atomic_file.h).
bool WriteStringToFile(const std::string& path, const std::string& text);
bool WriteStringToFileW(const std::wstring& path, const std::string& text);

// Total bytes and bytes free to the caller of the drive that holds path (made absolute first);
// false when it has no drive letter or the system cannot tell.
bool GetDiskSpace(const std::string& path, std::uint64_t& total, std::uint64_t& freeForCaller);
bool GetDiskSpaceW(const std::wstring& path, std::uint64_t& total, std::uint64_t& freeForCaller);
