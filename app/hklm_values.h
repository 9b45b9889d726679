#pragma once

#include <string>

// Readers of machine-wide registry values under HKEY_LOCAL_MACHINE, always in the 64-bit view.
// Both report failure only through their result.

// The text of a string value (REG_SZ or REG_EXPAND_SZ, unexpanded) as UTF-8, up to its first
// NUL; empty when the key or value is missing or of another type. The value is read whole
// and terminated here, since the registry does not guarantee stored strings end with a NUL.
std::string ReadHklmString(const std::wstring& keyPath, const std::string& valueName);

// The decimal text of a REG_DWORD value (unsigned); "0" when the key or value is missing or
// is not a REG_DWORD.
std::string ReadHklmDwordText(const std::wstring& keyPath, const std::string& valueName);
