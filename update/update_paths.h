#pragma once

#include <string>

// Paths of the files an update handles. Version-map keys are '/'-separated relative paths;
// the launcher's own files use narrow paths in the system code page, game files wide paths made
// from the same narrow text, so both name what the download manager wrote.

std::wstring AnsiToWide(const std::string& text);
std::string WideToAnsi(const std::wstring& text);

// <gamePath>\<key>, '/' read as '\'.
std::wstring GameFilePath(const std::wstring& gamePath, const std::string& key);
// .\update\<key>, '/' read as '\'.
std::string UpdateFilePath(const std::string& key);

inline constexpr char kUpdateDir[] = ".\\update";
inline constexpr char kApplyListPath[] = ".\\update\\apply_list.txt";
