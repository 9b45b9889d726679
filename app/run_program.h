#pragma once

#include <string>

// Starts program with the arguments and does not wait for it. The program's path is passed
// as the application name and stands quoted at the head of the command line, so a path with
// blanks starts that very file and the child reads the same arguments however long they are.
// workingFolder empty: the child inherits the current folder. False when program is empty or
// the process cannot be created.
bool RunProgram(const std::wstring& program, const std::wstring& arguments,
                const std::wstring& workingFolder);

// RunProgram with the show command and creation flags of the caller's choice.
bool StartProgram(const std::wstring& program, const std::wstring& arguments, const std::wstring& workingFolder,
                  int showCommand, unsigned long creationFlags);

// The command line RunProgram hands to the new process.
std::wstring ProgramCommandLine(const std::wstring& program, const std::wstring& arguments);
