#pragma once

// Pieces of the patch applier tests: patches built byte by byte from explicit triples (for the
// malformed ones), the project's patch generator (tools/patchgen) run as a Linux process for
// real diffs, and a scratch folder.

#include <cstdint>
#include <string>
#include <vector>

namespace patchtest {

// A fresh folder under the temporary folder, removed with its contents at the end.
class PatchScratch {
public:
    PatchScratch();
    ~PatchScratch();
    PatchScratch(const PatchScratch&) = delete;
    PatchScratch& operator=(const PatchScratch&) = delete;

    const std::wstring& path() const { return path_; }
    std::wstring Child(const std::wstring& name) const { return path_ + L"\\" + name; }
    void Write(const std::wstring& name, const std::string& bytes) const;
    std::string Read(const std::wstring& name) const;
    bool Exists(const std::wstring& name) const;

private:
    std::wstring path_;
};

// A patch number: the magnitude's low 32 bits, and the sign in bit 7 of byte 7.
std::string Number(std::int64_t value);
// A number with a raw magnitude, e.g. 0x80000000 (negative without the sign bit).
std::string RawNumber(std::uint32_t magnitude, bool sign = false);

struct Triple {
    std::int64_t x, y, z;
};
std::string Control(const std::vector<Triple>& triples);

// The inflated patch: magic, C, D and N as given, then body (control + diff + extra).
std::string Inflated(std::int64_t controlLength, std::int64_t diffLength, std::int64_t newSize,
                     const std::string& body);
// The consistent inflated patch of the triples and their blocks.
std::string Inflated(const std::vector<Triple>& triples, const std::string& diff, const std::string& extra,
                     std::int64_t newSize);

// zlib stream of bytes.
std::string Compress(const std::string& bytes);
// Container header U and P (little-endian 32-bit) followed by stream.
std::string Container(std::uint32_t unpacked, std::uint32_t packed, const std::string& stream);
// The patch file of an inflated patch.
std::string PatchFile(const std::string& inflated);

// size pseudo-random bytes.
std::string RandomBytes(std::size_t size, unsigned seed);

// Runs python3 tools/patchgen in folder with the three file names; true when it wrote the patch.
bool RunPatchgen(const std::wstring& folder, const std::wstring& oldName, const std::wstring& newName,
                 const std::wstring& patchName);

}  // namespace patchtest
