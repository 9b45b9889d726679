#include "tests/update/patch_test_support.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include <zlib.h>

#include "tests/support/linux_process.h"

namespace patchtest {

namespace {

// A Linux program: Wine starts it as a native process in the Unix form of the working folder.
constexpr wchar_t kPython[] = L"Z:\\usr\\bin\\python3";
constexpr DWORD kPatchgenTimeoutMs = 120000;

// The checkout, found from this file's own path as the compiler saw it (a Linux path).
std::wstring SourceRoot() {
    const std::string self = __FILE__;
    const std::size_t at = self.rfind("tests/update/");
    const std::string root = at == std::string::npos ? std::string() : self.substr(0, at);
    return std::wstring(root.begin(), root.end());
}

std::string Le32(std::uint32_t value) {
    std::string out(4, '\0');
    for (int i = 0; i < 4; ++i) out[i] = static_cast<char>(value >> (8 * i));
    return out;
}

}  // namespace

PatchScratch::PatchScratch() {
    static std::atomic<int> counter{0};
    path_ = (std::filesystem::temp_directory_path() /
             (L"tvn_patch_" + std::to_wstring(::GetCurrentProcessId()) + L"_" + std::to_wstring(counter++)))
                .wstring();
    std::filesystem::remove_all(path_);
    if (!std::filesystem::create_directories(path_)) throw std::runtime_error("cannot create the scratch folder");
}

PatchScratch::~PatchScratch() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void PatchScratch::Write(const std::wstring& name, const std::string& bytes) const {
    std::ofstream out(std::filesystem::path(Child(name)), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write a scratch file");
}

std::string PatchScratch::Read(const std::wstring& name) const {
    std::ifstream in(std::filesystem::path(Child(name)), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool PatchScratch::Exists(const std::wstring& name) const {
    return ::GetFileAttributesW(Child(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Number(std::int64_t value) {
    const std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value) : value;
    return RawNumber(static_cast<std::uint32_t>(magnitude), value < 0);
}

std::string RawNumber(std::uint32_t magnitude, bool sign) {
    std::string out = Le32(magnitude) + std::string(4, '\0');
    if (sign) out[7] = static_cast<char>(0x80);
    return out;
}

std::string Control(const std::vector<Triple>& triples) {
    std::string out;
    for (const Triple& t : triples) out += Number(t.x) + Number(t.y) + Number(t.z);
    return out;
}

std::string Inflated(std::int64_t controlLength, std::int64_t diffLength, std::int64_t newSize,
                     const std::string& body) {
    return "BSDIFN40" + Number(controlLength) + Number(diffLength) + Number(newSize) + body;
}

std::string Inflated(const std::vector<Triple>& triples, const std::string& diff, const std::string& extra,
                     std::int64_t newSize) {
    const std::string control = Control(triples);
    return Inflated(static_cast<std::int64_t>(control.size()), static_cast<std::int64_t>(diff.size()), newSize,
                    control + diff + extra);
}

std::string Compress(const std::string& bytes) {
    uLongf size = compressBound(static_cast<uLong>(bytes.size()));
    std::string out(size, '\0');
    if (compress(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(bytes.data()),
                 static_cast<uLong>(bytes.size())) != Z_OK)
        throw std::runtime_error("compress failed");
    out.resize(size);
    return out;
}

std::string Container(std::uint32_t unpacked, std::uint32_t packed, const std::string& stream) {
    return Le32(unpacked) + Le32(packed) + stream;
}

std::string PatchFile(const std::string& inflated) {
    const std::string stream = Compress(inflated);
    return Container(static_cast<std::uint32_t>(inflated.size()), static_cast<std::uint32_t>(stream.size()), stream);
}

std::string RandomBytes(std::size_t size, unsigned seed) {
    std::mt19937 engine(seed);
    std::string out(size, '\0');
    std::size_t i = 0;
    for (; i + 4 <= size; i += 4) {
        const std::uint32_t word = engine();
        out[i] = static_cast<char>(word);
        out[i + 1] = static_cast<char>(word >> 8);
        out[i + 2] = static_cast<char>(word >> 16);
        out[i + 3] = static_cast<char>(word >> 24);
    }
    for (; i < size; ++i) out[i] = static_cast<char>(engine());
    return out;
}

bool RunPatchgen(const std::wstring& folder, const std::wstring& oldName, const std::wstring& newName,
                 const std::wstring& patchName) {
    WinsockSession winsock;
    ScopedSocket ours;
    const std::wstring command = L"python3 \"" + SourceRoot() + L"tools/patchgen\" \"" + oldName + L"\" \"" +
                                 newName + L"\" \"" + patchName + L"\"";
    if (!winsock.started() || !LaunchLinuxProgram(kPython, command, folder, ours)) return false;

    // Bounded wait for the child's end (EOF on its stdout).
    const DWORD timeout = kPatchgenTimeoutMs;
    ::setsockopt(ours.Get(), SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof(timeout));
    char buffer[256];
    int got = 0;
    while ((got = ::recv(ours.Get(), buffer, sizeof(buffer), 0)) > 0) {
    }
    return got == 0 && ::GetFileAttributesW((folder + L"\\" + patchName).c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace patchtest
