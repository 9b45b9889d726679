#pragma once

#include <string>

// The runtime's journal (the settings' log file): one line per call into the runtime and per
// call it makes into the launcher, with the time and the thread. Lines written before the file
// is known (calls before initialisation) are kept and written first.
namespace journal {

// Starts writing to path (appending; created when missing). An empty path keeps lines in memory.
void Open(const std::wstring& path);
// Stops writing; later lines are kept in memory again.
void Close();
// Writes one line (UTF-8, without a line end).
void Write(const std::string& line);
// The file the journal writes to; empty while closed.
std::wstring Path();
// Names the calling thread in the journal's lines.
void NameThread(const char* name);

}  // namespace journal
