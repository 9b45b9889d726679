#pragma once

#include <string>

// The identity string: the whole of gid.txt in the launcher's save folder, else of
// <gamePath>\save\gid.txt, byte for byte (a trailing line break stays). Empty when neither
// can be read. saveDir is the launcher's save folder (GetSaveDirW()).
std::string ReadGid(const std::wstring& saveDir, const std::wstring& gamePath);

// .\save\extra_config.txt
std::wstring ExtraConfigFilePath();

// The "install_package_type" string of the extra configuration file, into out when present.
// False when the file cannot be read or is not a JSON object.
bool ReadInstallPackageType(const std::wstring& path, std::string& out);
