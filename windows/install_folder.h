#pragma once

#include <optional>
#include <string>

// The folder the game is installed into for a chosen parent folder: "Tarvenor Game" inside it,
// with exactly one backslash between (a bare drive "D:" gets its backslash too). None for an
// empty choice, or when the result would be longer than 259 characters: such a folder is
// refused, never cut.
std::optional<std::wstring> InstallFolderFor(const std::wstring& chosen);
