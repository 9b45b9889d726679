#include "ui/zip_reader.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <vector>

#include <zlib.h>

#include "base/string_conversions.h"
#include "base/unique_handle.h"

// The archives come from tests/ui/make_zip_fixtures.py (run at build time), tree/ holds the files
// they were made from.

namespace ui {
namespace {

const wchar_t kEnIni[] = L"resources/lang/en.ini";
const wchar_t kSkinXml[] = L"resources/themes/default/main/skin.xml";  // deflated, several input blocks
const wchar_t kRawBin[] = L"resources/images/raw.bin";                  // incompressible: stored
const wchar_t kReadOnly[] = L"resources/readonly.txt";
const wchar_t kRepeated[] = L"resources/repeated.txt";  // deflates to one literal and one match
const wchar_t kUtf8Name[] = L"resources/lang/\u00dcn\u00efcode-\u540d\u524d.txt";
const wchar_t* const kTreeFiles[] = {kEnIni, kSkinXml, kRawBin, kReadOnly, kRepeated, kUtf8Name};

std::wstring Fixture(const std::wstring& name) {
    std::wstring path = L"Z:";
    for (const char c : std::string(ZIP_FIXTURE_DIR)) path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
    return path + L"\\" + name;
}

std::string ReadWhole(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// For traces: names hold letters beyond the ANSI code page.
std::string Utf8(const std::wstring& text) {
    std::string out;
    kbase::WideToUtf8(text, out);
    return out;
}

std::string TreeFile(const std::wstring& name) { return ReadWhole(Fixture(L"tree/" + name)); }

std::unique_ptr<ZipHandle> OpenMemory(const std::string& bytes, const char* password = "") {
    return OpenZip(bytes.data(), static_cast<std::uint32_t>(bytes.size()), kZipFromMemory, password);
}

std::unique_ptr<ZipHandle> OpenFile(const std::wstring& path, const char* password = "") {
    return OpenZip(path.c_str(), 0, kZipFromFileName, password);
}

// The callers' protocol: find, a buffer of exactly the unpacked size, one unzip. The first
// non-zero result, or 0 with the bytes.
int ReadItem(ZipHandle* zip, const wchar_t* name, std::string& bytes) {
    int index = -1;
    ZipEntry entry;
    if (const int found = FindZipItem(zip, name, &index, &entry); found != kZipOk) return found;
    bytes.assign(entry.uncompressedSize, '\0');
    return UnzipItem(zip, index, bytes.data(), entry.uncompressedSize);
}

// A file under the temporary folder, deleted at the end.
class TempFile {
public:
    explicit TempFile(const std::string& bytes) {
        static std::atomic<int> counter{0};
        path_ = (std::filesystem::temp_directory_path() /
                 (L"zip_reader_test_" + std::to_wstring(::GetCurrentProcessId()) + L"_" +
                  std::to_wstring(counter++) + L".zip"))
                    .wstring();
        std::ofstream(std::filesystem::path(path_), std::ios::binary) << bytes;
    }
    ~TempFile() { ::DeleteFileW(path_.c_str()); }
    const std::wstring& path() const { return path_; }

private:
    std::wstring path_;
};

// True when nobody else holds the file open.
bool OpenExclusively(const std::wstring& path) {
    kbase::ScopedFileHandle file(
        ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(file);
}

// Year, month, day, hour, minute, second.
std::vector<int> Calendar(const FILETIME& time) {
    SYSTEMTIME t{};
    if (!::FileTimeToSystemTime(&time, &t)) return {};
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

TEST(ZipReader, ReadsEveryItemOfRealArchivesFromMemoryAndByName) {
    const std::vector<const wchar_t*> tree(std::begin(kTreeFiles), std::end(kTreeFiles));
    struct Case {
        const wchar_t* archive;
        int entries;
        std::vector<const wchar_t*> files;
    } const cases[] = {
        {L"tool.zip", 12, tree},               // with the folders, extended timestamps, stored raw.bin
        {L"tool_streamed.zip", 12, tree},      // written to a pipe: data descriptors
        {L"python.zip", 6, tree},              // UTF-8 names flagged
        {L"python_streamed.zip", 6, tree},     // data descriptors, stored and deflated
        {L"python_comment.zip", 1, {kEnIni}},  // a 65,535-byte comment after the end record
        {L"prefixed.zip", 12, tree},           // bytes before the archive, offsets from its start
        {L"prefixed_adjusted.zip", 12, tree},  // the same with offsets from the file's start
    };
    for (const Case& c : cases) {
        const std::string archive = ReadWhole(Fixture(c.archive));
        ASSERT_FALSE(archive.empty()) << "missing fixture";
        for (const bool fromMemory : {true, false}) {
            SCOPED_TRACE(Utf8(c.archive) + (fromMemory ? " from memory" : " by name"));
            const std::unique_ptr<ZipHandle> zip = fromMemory ? OpenMemory(archive) : OpenFile(Fixture(c.archive));
            ASSERT_TRUE(zip);
            ZipEntry summary;
            EXPECT_EQ(GetZipItem(zip.get(), -1, &summary), kZipOk);
            EXPECT_EQ(summary.index, c.entries);
            for (const wchar_t* name : c.files) {
                SCOPED_TRACE(Utf8(name));
                std::string bytes;
                EXPECT_EQ(ReadItem(zip.get(), name, bytes), kZipOk);
                EXPECT_EQ(bytes, TreeFile(name));
            }
        }
    }
}

TEST(ZipReader, FindsNamesIgnoringTheCaseOfAsciiLettersOnly) {
    const std::unique_ptr<ZipHandle> zip = OpenFile(Fixture(L"python.zip"));
    ASSERT_TRUE(zip);
    struct Case {
        const wchar_t* name;
        const wchar_t* found;  // the entry's name, or null
    } const cases[] = {
        {kEnIni, kEnIni},
        {L"RESOURCES/LANG/EN.INI", kEnIni},
        {L"Resources/Lang/\u00dcN\u00cfCODE-\u540d\u524d.TXT", nullptr},  // Ï is not folded to ï
        {L"RESOURCES/LANG/\u00dcn\u00efCODE-\u540d\u524d.TXT", kUtf8Name},
        {L"resources\\lang\\en.ini", nullptr},  // the caller turns separators into slashes
        {L"resources/lang/en.in", nullptr},
        {L"resources/lang/en.ini/", nullptr},
        {L"", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf8(c.name));
        int index = 99;
        ZipEntry entry;
        entry.index = 99;
        entry.uncompressedSize = 99;
        const int result = FindZipItem(zip.get(), c.name, &index, &entry);
        if (c.found) {
            EXPECT_EQ(result, kZipOk);
            EXPECT_GE(index, 0);
            EXPECT_EQ(entry.index, index);
            EXPECT_EQ(entry.name, c.found);
            EXPECT_EQ(entry.uncompressedSize, TreeFile(c.found).size());
        } else {
            EXPECT_EQ(result, kZipNotFound);
            EXPECT_EQ(index, -1);
            EXPECT_EQ(entry.index, -1);
            EXPECT_EQ(entry.uncompressedSize, 0u);
        }
    }
}

// Reads an item in chunks into a buffer that is longer than the length given: the bytes beyond
// the length must stay untouched. Single bytes make inflate stop inside matches and with all the
// input taken in but output still pending.
TEST(ZipReader, UnzipWritesNoMoreThanTheLengthAndContinuesWhereItStopped) {
    constexpr std::size_t kGuard = 64;
    const std::unique_ptr<ZipHandle> zip = OpenFile(Fixture(L"python.zip"));
    ASSERT_TRUE(zip);
    struct Case {
        const wchar_t* name;
        std::uint32_t chunk;
    } const cases[] = {{kRawBin, 7000}, {kSkinXml, 7000}, {kSkinXml, 1}, {kEnIni, 1}, {kRepeated, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf8(c.name) + " in chunks of " + std::to_string(c.chunk));
        const std::string want = TreeFile(c.name);
        int index = -1;
        ASSERT_EQ(FindZipItem(zip.get(), c.name, &index, nullptr), kZipOk);
        std::string got;
        int result = kZipMore;
        bool guardKept = true;
        while (result == kZipMore && got.size() < want.size()) {
            std::vector<char> buffer(c.chunk + kGuard, '\x5A');
            result = UnzipItem(zip.get(), index, buffer.data(), c.chunk);
            got.append(buffer.data(), std::min<std::size_t>(c.chunk, want.size() - got.size()));
            guardKept = guardKept && std::string(buffer.begin() + c.chunk, buffer.end()) == std::string(kGuard, '\x5A');
        }
        EXPECT_EQ(result, kZipOk);
        EXPECT_EQ(got, want);
        EXPECT_TRUE(guardKept);

        // Finished, or left half read for another item, the item starts over.
        std::string again(want.size(), '\0');
        EXPECT_EQ(UnzipItem(zip.get(), index, again.data(), static_cast<std::uint32_t>(again.size())), kZipOk);
        EXPECT_EQ(again, want);
        char part[10];
        EXPECT_EQ(UnzipItem(zip.get(), index, part, sizeof(part)), kZipMore);
        std::string other;
        EXPECT_EQ(ReadItem(zip.get(), c.name == kEnIni ? kRawBin : kEnIni, other), kZipOk);
        EXPECT_EQ(UnzipItem(zip.get(), index, again.data(), static_cast<std::uint32_t>(again.size())), kZipOk);
        EXPECT_EQ(again, want);
    }
}

TEST(ZipReader, RefusesBadArgumentsAndClosedOrForeignHandles) {
    const std::unique_ptr<ZipHandle> zip = OpenFile(Fixture(L"python.zip"));
    ASSERT_TRUE(zip);
    ZipEntry entry;
    char byte = 0;
    EXPECT_EQ(UnzipItem(zip.get(), 0, &byte, 0), kZipUnpackFailed);
    EXPECT_EQ(UnzipItem(zip.get(), 6, &byte, 1), kZipBadArgument);
    EXPECT_EQ(UnzipItem(zip.get(), -2, &byte, 1), kZipBadArgument);
    EXPECT_EQ(GetZipItem(zip.get(), 6, &entry), kZipBadArgument);
    EXPECT_EQ(CloseZipItem(zip.get()), kZipNoItemOpen);
    EXPECT_EQ(UnzipItem(zip.get(), 0, &byte, 1), kZipMore);
    EXPECT_EQ(CloseZipItem(zip.get()), kZipOk);
    EXPECT_EQ(CloseZipItem(zip.get()), kZipNoItemOpen);

    ZipHandle foreign;
    foreign.kind = 2;
    EXPECT_EQ(FindZipItem(&foreign, kEnIni, nullptr, nullptr), kZipNotUnzipHandle);
    EXPECT_EQ(UnzipItem(&foreign, 0, &byte, 1), kZipNotUnzipHandle);
    EXPECT_EQ(FindZipItem(nullptr, kEnIni, nullptr, nullptr), kZipBadArgument);

    CloseZip(zip.get());
    int index = 0;
    EXPECT_EQ(FindZipItem(zip.get(), kEnIni, &index, &entry), kZipBadArgument);
    EXPECT_EQ(index, -1);
    EXPECT_EQ(GetZipItem(zip.get(), -1, &entry), kZipBadArgument);
    EXPECT_EQ(UnzipItem(zip.get(), 0, &byte, 1), kZipBadArgument);

    // Sources that are no archive.
    const std::string notZip = TreeFile(kEnIni);
    EXPECT_FALSE(OpenMemory(notZip));
    EXPECT_FALSE(OpenZip(nullptr, 100, kZipFromMemory, ""));
    EXPECT_FALSE(OpenZip(notZip.data(), 0, kZipFromMemory, ""));
    EXPECT_FALSE(OpenFile(Fixture(L"no such file.zip")));
    EXPECT_FALSE(OpenZip(Fixture(L"python.zip").c_str(), 0, 4, ""));

    const std::unique_ptr<ZipHandle> empty = OpenFile(Fixture(L"empty.zip"));
    ASSERT_TRUE(empty);
    EXPECT_EQ(GetZipItem(empty.get(), -1, &entry), kZipOk);
    EXPECT_EQ(entry.index, 0);
    EXPECT_EQ(FindZipItem(empty.get(), kEnIni, &index, &entry), kZipNotFound);
}

TEST(ZipReader, ReadsAFileHandleFromItsPositionAndLeavesItOpen) {
    const std::size_t prefix = ReadWhole(Fixture(L"prefixed.zip")).size() - ReadWhole(Fixture(L"tool.zip")).size();
    struct Case {
        const wchar_t* archive;
        std::size_t position;
    } const cases[] = {
        {L"prefixed.zip", prefix}, {L"prefixed.zip", 0}, {L"prefixed_adjusted.zip", prefix},
        {L"prefixed_adjusted.zip", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf8(c.archive) + " at " + std::to_string(c.position));
        kbase::ScopedFileHandle file(::CreateFileW(Fixture(c.archive).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file);
        LARGE_INTEGER to{};
        to.QuadPart = static_cast<LONGLONG>(c.position);
        ASSERT_TRUE(::SetFilePointerEx(file.Get(), to, nullptr, FILE_BEGIN));
        std::unique_ptr<ZipHandle> zip = OpenZip(file.Get(), 0, kZipFromHandle, "");
        ASSERT_TRUE(zip);
        std::string bytes;
        EXPECT_EQ(ReadItem(zip.get(), kSkinXml, bytes), kZipOk);
        EXPECT_EQ(bytes, TreeFile(kSkinXml));
        zip.reset();
        char first[2] = {};
        DWORD got = 0;
        ASSERT_TRUE(::SetFilePointerEx(file.Get(), LARGE_INTEGER{}, nullptr, FILE_BEGIN));
        EXPECT_TRUE(::ReadFile(file.Get(), first, 2, &got, nullptr) && got == 2) << "the caller's handle was closed";
    }

    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    ASSERT_TRUE(::CreatePipe(&readEnd, &writeEnd, nullptr, 0));
    const kbase::ScopedHandle pipeRead(readEnd);
    const kbase::ScopedHandle pipeWrite(writeEnd);
    EXPECT_FALSE(OpenZip(readEnd, 0, kZipFromHandle, "")) << "a pipe has no position";
}

TEST(ZipReader, ClosesTheFileItOpenedWhenClosedDestroyedOrRefused) {
    const std::wstring path = Fixture(L"small.zip");
    std::unique_ptr<ZipHandle> zip = OpenFile(path);
    ASSERT_TRUE(zip);
    EXPECT_FALSE(OpenExclusively(path)) << "the reader does not hold the file";
    CloseZip(zip.get());
    EXPECT_TRUE(OpenExclusively(path));

    zip = OpenFile(path);
    ASSERT_TRUE(zip);
    zip.reset();
    EXPECT_TRUE(OpenExclusively(path));

    const TempFile notZip(std::string(100, 'x'));
    EXPECT_FALSE(OpenFile(notZip.path()));
    EXPECT_TRUE(OpenExclusively(notZip.path()));
}

TEST(ZipReader, DecryptsWithThePasswordAndRefusesWrongOnes) {
    const std::wstring path = Fixture(L"tool_encrypted.zip");
    for (const wchar_t* name : {kEnIni, kRawBin}) {  // deflated, stored
        SCOPED_TRACE(Utf8(name));
        std::string bytes;
        const std::unique_ptr<ZipHandle> zip = OpenFile(path, "secret");
        ASSERT_TRUE(zip);
        EXPECT_EQ(ReadItem(zip.get(), name, bytes), kZipOk);
        EXPECT_EQ(bytes, TreeFile(name));

        // The check byte lets one wrong password in 256 through; inflate or the CRC-32 then
        // refuses it.
        int wrongPasswordResults = 0;
        for (const char* wrong : {"", "Secret", "wrong"}) {
            const std::unique_ptr<ZipHandle> guessed = OpenFile(path, wrong);
            ASSERT_TRUE(guessed);
            const int result = ReadItem(guessed.get(), name, bytes);
            EXPECT_TRUE(result == kZipWrongPassword || result == kZipUnpackFailed) << result;
            wrongPasswordResults += result == kZipWrongPassword;
        }
        EXPECT_GT(wrongPasswordResults, 0);
    }
}

TEST(ZipReader, DescribesEntriesWithAttributesTimesAndCleanedNames) {
    const std::unique_ptr<ZipHandle> tool = OpenFile(Fixture(L"tool.zip"));
    ASSERT_TRUE(tool);
    struct Attributes {
        const wchar_t* name;
        DWORD attributes;
    } const unixHost[] = {
        {L"resources/", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_ARCHIVE},
        {kEnIni, FILE_ATTRIBUTE_ARCHIVE},
        {kReadOnly, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE},
    };
    for (const Attributes& c : unixHost) {
        SCOPED_TRACE(Utf8(c.name));
        ZipEntry entry;
        ASSERT_EQ(FindZipItem(tool.get(), c.name, nullptr, &entry), kZipOk);
        EXPECT_EQ(entry.attributes, c.attributes);
    }
    // The extended timestamp of the local header holds the file's times.
    ZipEntry entry;
    ASSERT_EQ(FindZipItem(tool.get(), kSkinXml, nullptr, &entry), kZipOk);
    EXPECT_EQ(Calendar(entry.modificationTime), std::vector<int>({2020, 9, 13, 12, 26, 40}));  // 1600000000
    EXPECT_EQ(Calendar(entry.accessTime), std::vector<int>({2017, 7, 14, 2, 40, 0}));         // 1500000000
    EXPECT_EQ(entry.uncompressedSize, TreeFile(kSkinXml).size());
    EXPECT_LT(entry.compressedSize, entry.uncompressedSize);

    const std::unique_ptr<ZipHandle> names = OpenFile(Fixture(L"python_names.zip"));
    ASSERT_TRUE(names);
    const wchar_t* const cleaned[] = {L"x/a.txt", L"b.txt", L"c.txt", L"d.txt", L"e/f.txt"};
    for (int index = 0; index < 5; ++index) {
        ASSERT_EQ(GetZipItem(names.get(), index, &entry), kZipOk);
        EXPECT_EQ(entry.name, cleaned[index]);
        EXPECT_EQ(entry.attributes, static_cast<DWORD>(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
        // Without an extended timestamp the DOS time (local time) stands for all three.
        FILETIME local{};
        ASSERT_TRUE(::FileTimeToLocalFileTime(&entry.creationTime, &local));
        EXPECT_EQ(Calendar(local), std::vector<int>({2021, 5, 6, 7, 8, 10}));
        EXPECT_EQ(Calendar(entry.modificationTime), Calendar(entry.creationTime));
        EXPECT_EQ(Calendar(entry.accessTime), Calendar(entry.creationTime));
    }
}

// --- damaged archives --------------------------------------------------------------------

// small.zip: item 0 "stored.txt" (stored), item 1 "deflated.txt" (deflated), no extra fields.
struct SmallZip {
    std::string bytes;
    std::size_t end = 0;         // the end record
    std::size_t directory = 0;   // the central directory = record of item 0
    std::size_t central[2] = {};
    std::size_t local[2] = {};
    std::size_t data[2] = {};
};

std::uint32_t GetLe(const std::string& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size; i-- > 0;) value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
    return value;
}

void PutLe(std::string& bytes, std::size_t at, int size, std::uint32_t value) {
    for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

SmallZip LoadSmallZip() {
    SmallZip zip;
    zip.bytes = ReadWhole(Fixture(L"small.zip"));
    const std::string& b = zip.bytes;
    zip.end = b.rfind("PK\x05\x06");
    zip.directory = GetLe(b, zip.end + 16, 4);
    zip.central[0] = zip.directory;
    zip.central[1] = zip.central[0] + 46 + GetLe(b, zip.central[0] + 28, 2) + GetLe(b, zip.central[0] + 30, 2) +
                     GetLe(b, zip.central[0] + 32, 2);
    for (int i = 0; i < 2; ++i) {
        zip.local[i] = GetLe(b, zip.central[i] + 42, 4);
        zip.data[i] = zip.local[i] + 30 + GetLe(b, zip.local[i] + 26, 2) + GetLe(b, zip.local[i] + 28, 2);
    }
    return zip;
}

const wchar_t* const kSmallNames[] = {L"stored.txt", L"deflated.txt"};

// Offsets of the size fields: in a central record and in a local header.
constexpr std::size_t kCentralCrc = 16, kCentralPacked = 20, kCentralUnpacked = 24;
constexpr std::size_t kLocalCrc = 14, kLocalPacked = 18, kLocalUnpacked = 22;

// Changes a 32-bit field of item in its central record and its local header alike.
void PatchBoth(SmallZip& z, int item, std::size_t centralField, std::size_t localField,
               const std::function<std::uint32_t(std::uint32_t)>& change) {
    PutLe(z.bytes, z.central[item] + centralField, 4, change(GetLe(z.bytes, z.central[item] + centralField, 4)));
    PutLe(z.bytes, z.local[item] + localField, 4, change(GetLe(z.bytes, z.local[item] + localField, 4)));
}

TEST(ZipReader, RefusesDamagedArchivesCleanly) {
    const SmallZip good = LoadSmallZip();
    ASSERT_NE(good.end, std::string::npos);
    std::string contents[2];
    for (int i = 0; i < 3; ++i) contents[0] += "stored bytes, copied as they are\n";
    for (int i = 0; i < 20; ++i) contents[1] += "deflated bytes go through inflate\n";
    // The CRC-32 of all but the last byte: a stated size one short that the checksum agrees with.
    const std::uint32_t crcOfAllButLast = static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(contents[1].data()), static_cast<uInt>(contents[1].size() - 1)));
    const auto plus = [](std::int64_t delta) {
        return [delta](std::uint32_t v) { return static_cast<std::uint32_t>(v + delta); };
    };
    struct Case {
        const char* what;
        std::function<void(SmallZip&)> damage;
        bool opens;
        int item = 0;                   // the damaged item, read with the callers' protocol
        int findResult = kZipOk;
        int unzipResult = kZipOk;       // when found
        bool otherReads = true;         // the damage spared the other item
    } const cases[] = {
        // The archive is refused.
        {"end record signature", [](SmallZip& z) { z.bytes[z.end + 3] = 'X'; }, false},
        {"cut inside the end record", [](SmallZip& z) { z.bytes.resize(z.end + 10); }, false},
        {"cut inside the directory", [](SmallZip& z) { z.bytes.resize(z.central[1] + 10); }, false},
        {"second disk", [](SmallZip& z) { PutLe(z.bytes, z.end + 4, 2, 1); }, false},
        {"directory on another disk", [](SmallZip& z) { PutLe(z.bytes, z.end + 6, 2, 1); }, false},
        {"entry counts differ", [](SmallZip& z) { PutLe(z.bytes, z.end + 8, 2, 1); }, false},
        {"more entries than records",
         [](SmallZip& z) { PutLe(z.bytes, z.end + 8, 2, 3), PutLe(z.bytes, z.end + 10, 2, 3); }, false},
        {"more entries than the directory can hold",
         [](SmallZip& z) { PutLe(z.bytes, z.end + 8, 2, 0xFFFF), PutLe(z.bytes, z.end + 10, 2, 0xFFFF); }, false},
        {"directory size of gigabytes", [](SmallZip& z) { PutLe(z.bytes, z.end + 12, 4, 0xFFFFFFF0); }, false},
        {"directory offset past the end", [](SmallZip& z) { PutLe(z.bytes, z.end + 16, 4, 0xFFFFFF00); }, false},
        {"directory offset one too far",
         [](SmallZip& z) { PutLe(z.bytes, z.end + 16, 4, static_cast<std::uint32_t>(z.directory + 1)); }, false},
        {"central record signature", [](SmallZip& z) { z.bytes[z.central[1] + 2] = 'X'; }, false},
        {"name runs past the directory", [](SmallZip& z) { PutLe(z.bytes, z.central[1] + 28, 2, 0xFFFF); }, false},
        {"comment runs past the directory", [](SmallZip& z) { PutLe(z.bytes, z.central[0] + 32, 2, 0x8000); }, false},

        // The archive opens; the damaged item is refused.
        {"directory offset one short: every local header missed",
         [](SmallZip& z) { PutLe(z.bytes, z.end + 16, 4, static_cast<std::uint32_t>(z.directory - 1)); }, true, 1,
         kZipBadLocalHeader, kZipOk, false},
        {"local header signature", [](SmallZip& z) { z.bytes[z.local[1] + 1] = 'X'; }, true, 1, kZipBadLocalHeader},
        {"local method differs", [](SmallZip& z) { PutLe(z.bytes, z.local[1] + 8, 2, 0); }, true, 1,
         kZipBadLocalHeader},
        {"unsupported method",
         [](SmallZip& z) { PutLe(z.bytes, z.local[1] + 8, 2, 12), PutLe(z.bytes, z.central[1] + 10, 2, 12); }, true,
         1, kZipBadLocalHeader},
        {"local name length differs", [](SmallZip& z) { PutLe(z.bytes, z.local[1] + 26, 2, 13); }, true, 1,
         kZipBadLocalHeader},
        {"local CRC-32 differs", [](SmallZip& z) { z.bytes[z.local[1] + kLocalCrc] ^= 1; }, true, 1,
         kZipBadLocalHeader},
        {"local header outside the archive", [](SmallZip& z) { PutLe(z.bytes, z.central[1] + 42, 4, 0xFFFFFF00); },
         true, 1, kZipBadLocalHeader},
        {"local header inside the directory",
         [](SmallZip& z) { PutLe(z.bytes, z.central[1] + 42, 4, static_cast<std::uint32_t>(z.directory)); }, true, 1,
         kZipBadLocalHeader},
        {"local extra field runs into the directory", [](SmallZip& z) { PutLe(z.bytes, z.local[1] + 28, 2, 0xFFFF); },
         true, 1, kZipBadLocalHeader},
        {"packed size past the directory",
         [](SmallZip& z) { PatchBoth(z, 1, kCentralPacked, kLocalPacked, [](std::uint32_t) { return 0x7FFFFFFFu; }); },
         true, 1, kZipBadLocalHeader},
        {"unpacked size of gigabytes",
         [](SmallZip& z) { PatchBoth(z, 1, kCentralUnpacked, kLocalUnpacked, [](std::uint32_t) { return 0xC0000000u; }); },
         true, 1, kZipBadLocalHeader},
        {"stored sizes differ", [&](SmallZip& z) { PatchBoth(z, 0, kCentralUnpacked, kLocalUnpacked, plus(1)); }, true,
         0, kZipBadLocalHeader},
        {"encrypted without room for the header",
         [](SmallZip& z) { z.bytes[z.central[0] + 8] |= 1, z.bytes[z.local[0] + 6] |= 1; }, true, 0,
         kZipBadLocalHeader},

        // Found, but unpacking fails.
        {"deflate stream ends before the size",
         [&](SmallZip& z) { PatchBoth(z, 1, kCentralUnpacked, kLocalUnpacked, plus(1)); }, true, 1, kZipOk,
         kZipUnpackFailed},
        {"deflate stream runs past the size",
         [&](SmallZip& z) {
             PatchBoth(z, 1, kCentralUnpacked, kLocalUnpacked, plus(-1));
             PatchBoth(z, 1, kCentralCrc, kLocalCrc, [&](std::uint32_t) { return crcOfAllButLast; });
         },
         true, 1, kZipOk, kZipUnpackFailed},
        {"deflate stream cut short", [&](SmallZip& z) { PatchBoth(z, 1, kCentralPacked, kLocalPacked, plus(-4)); },
         true, 1, kZipOk, kZipUnpackFailed},
        {"deflate data damaged", [](SmallZip& z) { z.bytes[z.data[1] + 2] ^= 0x55, z.bytes[z.data[1] + 3] ^= 0x55; },
         true, 1, kZipOk, kZipUnpackFailed},
        {"stored byte changed", [](SmallZip& z) { z.bytes[z.data[0] + 3] ^= 1; }, true, 0, kZipOk, kZipUnpackFailed},
        {"CRC-32 changed", [&](SmallZip& z) { PatchBoth(z, 1, kCentralCrc, kLocalCrc, plus(1)); }, true, 1, kZipOk,
         kZipUnpackFailed},

        // A data descriptor flag lets the local sizes be zero: the directory's count.
        {"local sizes in a data descriptor",
         [](SmallZip& z) {
             z.bytes[z.local[1] + 6] |= 8;
             for (const std::size_t field : {kLocalCrc, kLocalPacked, kLocalUnpacked}) PutLe(z.bytes, z.local[1] + field, 4, 0);
         },
         true, 1, kZipOk, kZipOk},
    };
    for (const Case& c : cases) {
        SmallZip damaged = good;
        c.damage(damaged);
        const TempFile file(damaged.bytes);
        for (const bool fromMemory : {true, false}) {
            SCOPED_TRACE(std::string(c.what) + (fromMemory ? " from memory" : " by name"));
            const std::unique_ptr<ZipHandle> zip = fromMemory ? OpenMemory(damaged.bytes) : OpenFile(file.path());
            ASSERT_EQ(static_cast<bool>(zip), c.opens);
            if (!zip) continue;
            int index = -1;
            ZipEntry entry;
            ASSERT_EQ(FindZipItem(zip.get(), kSmallNames[c.item], &index, &entry), c.findResult);
            std::vector<char> buffer(std::max<std::size_t>(entry.uncompressedSize, 1));
            EXPECT_EQ(UnzipItem(zip.get(), index, buffer.data(), entry.uncompressedSize),
                      c.findResult == kZipOk ? c.unzipResult : kZipUnpackFailed);
            // The reader stays usable for the other item.
            std::string other;
            if (c.otherReads) {
                EXPECT_EQ(ReadItem(zip.get(), kSmallNames[1 - c.item], other), kZipOk);
                EXPECT_EQ(other, contents[1 - c.item]);
            }
        }
    }
}

// Every archive made by cutting small.zip short or by changing any one of its bytes is either
// refused or gives back exactly the original items.
TEST(ZipReader, NoSingleByteDamageYieldsWrongBytes) {
    const SmallZip good = LoadSmallZip();
    std::string originals[2];
    {
        const std::unique_ptr<ZipHandle> zip = OpenMemory(good.bytes);
        ASSERT_TRUE(zip);
        for (int item = 0; item < 2; ++item) ASSERT_EQ(ReadItem(zip.get(), kSmallNames[item], originals[item]), kZipOk);
    }
    std::vector<std::string> variants;
    for (std::size_t length = 0; length < good.bytes.size(); ++length) variants.push_back(good.bytes.substr(0, length));
    for (std::size_t at = 0; at < good.bytes.size(); ++at) {
        for (const char flip : {'\x01', '\x80', '\xFF'}) {
            variants.push_back(good.bytes);
            variants.back()[at] ^= flip;
        }
    }
    int opened = 0;
    for (std::size_t v = 0; v < variants.size(); ++v) {
        const std::unique_ptr<ZipHandle> zip = OpenMemory(variants[v]);
        if (!zip) continue;
        ++opened;
        for (int item = 0; item < 2; ++item) {
            std::string bytes;
            if (ReadItem(zip.get(), kSmallNames[item], bytes) == kZipOk) {
                EXPECT_EQ(bytes, originals[item]) << "variant " << v << " item " << item;
            }
        }
    }
    EXPECT_GT(opened, 0);
}

}  // namespace
}  // namespace ui
