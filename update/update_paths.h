#pragma once

#include <map>
#include <string>

// Paths of the files an update handles. Version-map keys are '/'-separated relative paths in
// UTF-8; narrow paths made of them stay UTF-8 and become wide paths through kbase::WidePath, so
// the launcher's files, the game's and the download manager's all name the same file.

// <gamePath>\<key>, '/' read as '\'.
std::wstring GameFilePath(const std::wstring& gamePath, const std::string& key);
// .\<key>: a file of the launcher's own installation, '/' read as '\'.
std::wstring LauncherFilePath(const std::string& key);
// The file of the game folder that holds key's content: its installed name under gamePath when
// the game installs it under another (renames: map name -> installed name), else GameFilePath.
std::wstring InstalledGameFilePath(const std::wstring& gamePath, const std::string& key,
                                   const std::map<std::wstring, std::wstring>& renames);
// .\update\<key>, '/' read as '\'.
std::string UpdateFilePath(const std::string& key);

inline constexpr char kUpdateDir[] = ".\\update";
inline constexpr char kApplyListPath[] = ".\\update\\apply_list.txt";
