#pragma once

#include <cstdint>
#include <string>

// Byte counts as the launcher's windows show them: " 1.50G", " 2.00M", "512.00KB" ("%5.2f" of
// the count in GiB, MiB or KiB, whichever is the largest unit not above it).
std::wstring FormatByteSize(std::uint64_t bytes);

// The language text of id with value put into its placeholder (kbase::FillTextValue), at most
// 259 characters as the labels hold them.
std::wstring FormatLanguageText(const std::wstring& id, const std::wstring& value);
