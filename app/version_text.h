#pragma once

#include <string>

// out := the version text of the version-map file at path: its "version" member when that is
// a string, the "md5" string of it when it is an entry object. out := defaultText when the
// file cannot be read or parsed or has no usable "version".
void ReadVersionMapVersion(const std::wstring& path, std::string& out, const std::string& defaultText);

// The display form of a game version A_B_C: A split into dotted groups of millions, ten
// thousands and hundreds, then C and B ("10077_3_5" gives "1.0.77.5.3"). Any other text,
// or one whose A is not a 32-bit decimal number, comes back unchanged.
void FormatDisplayVersion(const std::string& version, std::string& out);
