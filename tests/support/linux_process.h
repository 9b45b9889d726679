#pragma once

#include <string>

#include "tests/support/scoped_socket.h"

// Starts a Linux program (the absolute Windows form of its path, e.g. Z:\usr\bin\python3) from a
// test under Wine. Wine hands such a child neither a process handle nor pipes, but a socket works
// as its stdin and stdout: `ours` gets the other end, sees what the child prints, and reads EOF
// once the child has ended; closing it is EOF on the child's stdin. The command line starts with
// the program's name; working_folder empty: the caller's. Needs a started WinsockSession.
bool LaunchLinuxProgram(const wchar_t* program, const std::wstring& command_line,
                        const std::wstring& working_folder, ScopedSocket& ours);
