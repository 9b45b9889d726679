#pragma once

#include <string>

// A running launcher cannot overwrite its own executable, the browser runtime it has loaded or
// fonts that the system holds open. It hands them to a copy of itself, launcher_temp.exe,
// started with the verb replace: the copy waits for the launcher to end, puts the files in
// place, optionally starts the launcher again and deletes itself. Paths are relative to the
// working folder, the launcher's own.

// How long the copy waits for the launcher that started it, and then keeps trying to replace
// an executable that is still held.
inline constexpr unsigned long kParentExitWaitMs = 60000;
inline constexpr unsigned long kTargetReplaceRetryMs = 30000;

// Copies .\launcher.exe to .\launcher_temp.exe and starts the copy with the verb replace:
// source .\update\launcher.exe and target .\launcher.exe when exeReplaced, both empty
// otherwise, and restartCommand. Starts at most one copy per process, since the copy applies
// everything that waits whoever asked; later calls, and a copy that cannot be written (it may
// be running), start nothing. True when the copy was started.
bool StartSelfReplace(const std::wstring& restartCommand, bool exeReplaced);

// "replace" and the three values, each quoted so that the copy reads them back whole (blanks,
// empty values, trailing backslashes).
std::wstring SelfReplaceArguments(const std::wstring& source, const std::wstring& target,
                                  const std::wstring& command);

// The copy's work. Waits for the launcher that started it to end; copies source over target
// when both are given; applies the waiting browser-runtime and font files; removes from the
// launcher's version map what could not be put in place, so that the next start fetches it
// again; starts command when one is given; deletes its own executable and ends the process.
[[noreturn]] void RunReplaceStep(const std::wstring& source, const std::wstring& target,
                                 const std::wstring& command);

// Ends the process with exit code 0 and has its executable deleted once it is gone.
[[noreturn]] void SelfDelete();
