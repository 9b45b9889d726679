#pragma once

#include <list>
#include <string>

// update\apply_list.txt: which files of a game update have already been moved into the game
// folder, so that an interrupted apply resumes where it stopped.
// {"version": "A_B_C", "fileList": ["relative/path", ...]}
struct ApplyListRecord {
    std::string version;             // the game version whose files are being applied
    std::list<std::string> fileList;  // relative paths already applied, in file order
};

// Reads the file (narrow path, UTF-8). False, record untouched, when it cannot be
// read or parsed, "version" is not a string, "fileList" is not an array, or any element is not
// a string or is a path that could leave the game folder: a doubtful list is not trusted at
// all, which only means those files are fetched and applied again.
bool ReadApplyList(const std::string& path, ApplyListRecord& record);

// Writes the record tab-indented, whole or not at all. An empty version or file list writes
// nothing (an older file stays) and gives false, as does a failed write.
bool WriteApplyList(const std::string& path, const ApplyListRecord& record);
