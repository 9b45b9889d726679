#pragma once

#include <string>
#include <vector>

// Detecting and starting the game, and reading the download-address answers.

// One game instance at most: slot 0 is the only one.
inline constexpr int kGameInstanceSlots = 1;

// <gamePath>\KORU.exe
std::wstring GameExecutablePath(const std::wstring& gamePath);

// "win", or the word given with set_platform.
std::wstring GamePlatformWord();

// The game wants the platform suffix when its installed version is unknown (empty) or has
// three "_"-separated parts whose first is a decimal number of at least 10077. Any other
// text (fewer or more parts, a first part that is not digits) gets none.
bool WantsPlatformSuffix(const std::string& localGameVersion);

// What follows the executable on the game's command line: md5 (UTF-8; the word "empty" when
// md5 is empty), then, when the version wants it, " <platformWord> <slot>|1".
std::wstring BuildGameArguments(const std::string& md5, const std::string& localGameVersion,
                                const std::wstring& platformWord, int slot);

// The game runs when its single-instance mutex exists. The mutex is only opened, never
// created, so a game starting at that moment is not refused.
bool IsGameRunning();

// Probes every instance slot: appends the free ones to freeSlots and returns how many run.
int CountRunningGameInstances(std::vector<int>& freeSlots);

// The gate's answer: dlcAddr := its "DlcAddr" (an array of strings or one string); with
// wantPreDlc, preDlcAddr := the "PreDlcAddr" of the JSON text held in its "Others" string
// (a missing or bad "Others" is no error). False, with error, for text that is not JSON
// or has no download address ("Get DlcAddr failed").
bool ParseGateResponse(const std::string& text, std::vector<std::string>& dlcAddr,
                       std::vector<std::string>& preDlcAddr, std::string& error, bool wantPreDlc);

// An answer whose "info" list holds, as its first string, JSON text with "TW_pc_addr":
// addresses := those addresses. True when that member was found.
bool ParseInfoAddresses(const std::string& text, std::vector<std::string>& addresses, std::string& error);
