#include "update/patch_applier.h"

#include <climits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/string_conversions.h"
#include "base/unique_handle.h"
#include "tests/update/patch_test_support.h"
#include "update/patch_format.h"

using namespace patchtest;

namespace {

constexpr int kUntouched = 777;
const std::string kOld = "ABCDEFGH";

// What both file-level appliers made of one patch file, applied to old.bin.
struct Outcome {
    int stream = 0;
    int detail = kUntouched;
    std::string streamBytes;
    int memory = 0;
    bool memoryWrote = false;
    std::string memoryBytes;
};

Outcome ApplyBoth(const PatchScratch& dir, const std::string& patchFile) {
    dir.Write(L"p.patch", patchFile);
    Outcome out;
    out.stream = ApplyPatchFileW(dir.Child(L"old.bin"), dir.Child(L"stream.bin"), dir.Child(L"p.patch"), out.detail);
    out.streamBytes = dir.Read(L"stream.bin");
    out.memory = BaPatchFileW(dir.Child(L"old.bin"), dir.Child(L"memory.bin"), dir.Child(L"p.patch"));
    out.memoryWrote = dir.Exists(L"memory.bin");
    out.memoryBytes = dir.Read(L"memory.bin");
    return out;
}

std::string Bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) out.push_back(static_cast<char>(v));
    return out;
}

std::string Narrow(const std::wstring& wide) {
    std::string out;
    kbase::WideToCodePage(wide, out, CP_ACP);
    return out;
}

class CancelRaised {
public:
    CancelRaised() { PatchCancelFlag = true; }
    ~CancelRaised() { PatchCancelFlag = false; }
};

}  // namespace

// Real diffs from tools/patchgen: a new file larger than one piece (one add span of about 58 MiB
// crosses a piece boundary with old bytes on both sides), empty files, unrelated files.
TEST(PatchApplier, AppliesGeneratedPatches) {
    const std::string big = RandomBytes(60 << 20, 1);
    std::string changed = big.substr(0, 1 << 20) + RandomBytes(4096, 2) + big.substr((1 << 20) + 8192);
    for (std::size_t i = 3 << 20; i < changed.size(); i += 29989) changed[i] = static_cast<char>(changed[i] ^ 0x5a);
    changed += RandomBytes(100000, 3);

    struct Case {
        const char* name;
        std::string oldBytes, newBytes;
    } const cases[] = {
        {"larger than one piece", big, changed},
        {"empty old file", "", RandomBytes(3 << 20, 4)},
        {"empty new file", RandomBytes(1 << 20, 5), ""},
        {"unrelated files", RandomBytes(200000, 6), RandomBytes(300001, 7)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PatchScratch dir;
        dir.Write(L"old.bin", c.oldBytes);
        dir.Write(L"new.bin", c.newBytes);
        ASSERT_TRUE(RunPatchgen(dir.path(), L"old.bin", L"new.bin", L"p.patch"));
        const Outcome out = ApplyBoth(dir, dir.Read(L"p.patch"));
        EXPECT_EQ(out.stream, 0);
        EXPECT_EQ(out.detail, 0);
        EXPECT_EQ(out.streamBytes.size(), c.newBytes.size());
        EXPECT_TRUE(out.streamBytes == c.newBytes);
        EXPECT_EQ(out.memory, 0);
        EXPECT_TRUE(out.memoryBytes == c.newBytes);
        EXPECT_EQ(dir.Read(L"old.bin").size(), c.oldBytes.size());  // inputs stay
        EXPECT_TRUE(dir.Exists(L"p.patch"));
    }
}

// Old bytes are added only where the old position lies inside the old file; z moves it both ways.
TEST(PatchApplier, AddsOldBytesOnlyInsideTheOldFile) {
    const std::string ones(6, '\x01');
    struct Case {
        const char* name;
        std::vector<Triple> triples;
        std::string diff, extra, want;
    } const cases[] = {
        {"starts before the old file", {{0, 0, -3}, {6, 0, 0}}, ones, "", Bytes({1, 1, 1, 'A' + 1, 'B' + 1, 'C' + 1})},
        {"runs past its end", {{0, 0, 5}, {6, 0, 0}}, ones, "", Bytes({'F' + 1, 'G' + 1, 'H' + 1, 1, 1, 1})},
        {"wholly outside", {{0, 0, 100}, {3, 0, 0}}, ones.substr(0, 3), "", Bytes({1, 1, 1})},
        {"z goes back", {{2, 0, -2}, {2, 0, 0}}, ones.substr(0, 4), "", Bytes({'A' + 1, 'B' + 1, 'A' + 1, 'B' + 1})},
        {"copy span", {{2, 3, 0}}, ones.substr(0, 2), "xyz", Bytes({'A' + 1, 'B' + 1, 'x', 'y', 'z'})},
        {"diff wraps modulo 256", {{2, 0, 0}}, Bytes({0xff, 0xbe}), "", Bytes({'A' - 1, 0})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PatchScratch dir;
        dir.Write(L"old.bin", kOld);
        const Outcome out =
            ApplyBoth(dir, PatchFile(Inflated(c.triples, c.diff, c.extra, static_cast<std::int64_t>(c.want.size()))));
        EXPECT_EQ(out.stream, 0);
        EXPECT_EQ(out.streamBytes, c.want);
        EXPECT_EQ(out.memory, 0);
        EXPECT_EQ(out.memoryBytes, c.want);
    }
}

TEST(PatchApplier, NarrowEntryPointsTakeCodePagePaths) {
    PatchScratch dir;
    dir.Write(L"old.bin", kOld);
    dir.Write(L"p.patch", PatchFile(Inflated({{2, 1, 0}}, Bytes({1, 1}), "z", 3)));
    int error = kUntouched;
    EXPECT_EQ(ApplyPatchFileA(Narrow(dir.Child(L"old.bin")), Narrow(dir.Child(L"s.bin")),
                              Narrow(dir.Child(L"p.patch")), error),
              0);
    EXPECT_EQ(dir.Read(L"s.bin"), "BCz");
    EXPECT_EQ(BaPatchFileA(Narrow(dir.Child(L"old.bin")), Narrow(dir.Child(L"m.bin")), Narrow(dir.Child(L"p.patch"))),
              0);
    EXPECT_EQ(dir.Read(L"m.bin"), "BCz");
}

// Every malformed inflated patch fails without crashing or allocating by its claims: the
// streaming applier with its code and detail, the in-memory one with -1 and no new file.
TEST(PatchApplier, RejectsMalformedPatches) {
    const std::string two = Bytes({1, 1});
    const std::string valid = Inflated({{2, 0, 0}}, two, "", 2);
    std::string badMagic = valid;
    badMagic[0] = 'X';
    struct Case {
        const char* name;
        std::string inflated;
        int stream;
        int detail;
    } const cases[] = {
        {"31 bytes", valid.substr(0, 31), kPatchFileBadHeader, kUntouched},
        {"wrong magic", badMagic, kPatchFileBadHeader, kUntouched},
        {"negative C", Inflated(-24, 2, 2, Control({{2, 0, 0}}) + two), kPatchFileBadHeader, kUntouched},
        {"N with bit 31 of its magnitude",
         "BSDIFN40" + Number(24) + Number(2) + RawNumber(0x80000000u) + Control({{2, 0, 0}}) + two,
         kPatchFileBadHeader, kUntouched},
        {"C past the end", Inflated(1000, 2, 2, Control({{2, 0, 0}}) + two), kPatchControlPastEnd, 0},
        {"C + D past the end", Inflated(24, 1000, 2, Control({{2, 0, 0}}) + two), kPatchDiffPastEnd, 0},
        {"control runs past the end", Inflated({{2, 0, 0}}, two, "", 4), kPatchTripleFailed, kTripleControlPastEnd},
        {"x with bit 31 of its magnitude",
         Inflated(24, 2, 2, RawNumber(0x80000000u) + Number(0) + Number(0) + two), kPatchTripleFailed,
         kTripleBadLength},
        {"negative y", Inflated({{2, -1, 0}}, two, "", 2), kPatchTripleFailed, kTripleBadLength},
        {"x past N", Inflated({{3, 0, 0}}, two + "\x01", "", 2), kPatchTripleFailed, kTripleBadLength},
        {"diff runs out", Inflated({{4, 0, 0}}, two, "", 4), kPatchTripleFailed, kTripleAddSpanFailed},
        {"y past N", Inflated({{2, 3, 0}}, two, "abc", 4), kPatchTripleFailed, kTripleCopyPastNewSize},
        {"extra runs out", Inflated({{2, 2, 0}}, two, "a", 4), kPatchTripleFailed, kTripleCopySpanFailed},
        {"absurd N", Inflated({{2, 0, 0}}, two, "", INT_MAX), kPatchTripleFailed, kTripleControlPastEnd},
        {"absurd x and N", Inflated({{INT_MAX, 0, 0}}, two, "", INT_MAX), kPatchTripleFailed,
         kTripleAddSpanFailed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PatchScratch dir;
        dir.Write(L"old.bin", kOld);
        const Outcome out = ApplyBoth(dir, PatchFile(c.inflated));
        EXPECT_EQ(out.stream, c.stream);
        EXPECT_EQ(out.detail, c.detail);
        EXPECT_EQ(out.memory, -1);
        EXPECT_FALSE(out.memoryWrote);
    }
}

TEST(PatchApplier, InMemoryApplierChecksTheGivenNewSize) {
    const std::string patch = Inflated({{2, 0, 0}}, Bytes({1, 1}), "", 2);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(patch.data());
    const auto* old = reinterpret_cast<const std::uint8_t*>(kOld.data());
    std::uint8_t out[4] = {};
    EXPECT_EQ(ApplyPatchMemory(old, 8, out, 3, bytes, static_cast<int>(patch.size())), -1);
    EXPECT_EQ(ApplyPatchMemory(old, 8, out, 2, bytes, static_cast<int>(patch.size())), 0);
    EXPECT_EQ(out[0], 'B');
}

// The container header can claim anything; only what the file holds and what the stream
// inflates to, exactly, is accepted.
TEST(PatchApplier, ReadPatchContainerChecksItsSizes) {
    const std::string payload = "BSDIFN40 and some patch bytes that compress";
    const std::string stream = Compress(payload);
    const auto size = static_cast<std::uint32_t>(payload.size());
    const auto packed = static_cast<std::uint32_t>(stream.size());
    struct Case {
        const char* name;
        std::string file;
        int want;
    } const cases[] = {
        {"empty", "", kContainerUnpackedSizeShort},
        {"short U", "\x01\x02", kContainerUnpackedSizeShort},
        {"no P", Container(size, 0, "").substr(0, 4), kContainerPackedSizeShort},
        {"short P", Container(size, 0, "").substr(0, 6), kContainerPackedSizeShort},
        {"P beyond the file", Container(size, packed + 1, stream), kContainerStreamShort},
        {"P of 4 GiB", Container(size, 0xffffffffu, stream), kContainerStreamShort},
        {"truncated stream", Container(size, packed - 3, stream.substr(0, packed - 3)), kContainerInflateFailed},
        {"garbage stream", Container(size, 16, std::string(16, '\xff')), kContainerInflateFailed},
        {"U above the inflated length", Container(size + 1, packed, stream), kContainerInflateFailed},
        {"U below the inflated length", Container(size - 1, packed, stream), kContainerInflateFailed},
        {"U of 4 GiB", Container(0xffffffffu, packed, stream), kContainerInflateFailed},
        {"U beyond deflate's ratio", Container(packed * 1033, packed, stream), kContainerInflateFailed},
        {"bytes after the stream", Container(size, packed + 5, stream + "junk!") + "more", kContainerRead},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PatchScratch dir;
        dir.Write(L"p.patch", c.file);
        kbase::ScopedFileHandle file(::CreateFileW(dir.Child(L"p.patch").c_str(), GENERIC_READ, 0, nullptr,
                                                   OPEN_EXISTING, 0, nullptr));
        PatchBytes data;
        int length = kUntouched;
        EXPECT_EQ(ReadPatchContainer(file.Get(), data, length), c.want);
        if (c.want == kContainerRead) {
            ASSERT_EQ(length, static_cast<int>(payload.size()));
            EXPECT_EQ(std::string(reinterpret_cast<const char*>(data.get()), length), payload);
        } else {
            EXPECT_EQ(length, kUntouched);
            EXPECT_FALSE(data);
        }
    }

    PatchScratch dir;
    dir.Write(L"p.patch", PatchFile(payload));
    kbase::ScopedFileHandle writeOnly(::CreateFileW(dir.Child(L"p.patch").c_str(), GENERIC_WRITE, 0, nullptr,
                                                    OPEN_EXISTING, 0, nullptr));
    PatchBytes data;
    int length = 0;
    EXPECT_EQ(ReadPatchContainer(writeOnly.Get(), data, length), kContainerUnpackedSizeUnreadable);
}

// A raised flag stops the stream after the first full piece of a long span (detail -3), or
// after the current triple (detail -6); what was written stays.
TEST(PatchApplier, CancelFlagStopsTheStream) {
    const int longSpan = kPatchPieceSize + 10;
    struct Case {
        const char* name;
        std::string inflated;
        int detail;
        std::size_t written;
        std::string start;
    } const cases[] = {
        {"inside a long add span", Inflated({{longSpan, 0, 0}}, std::string(longSpan, '\0'), "", longSpan),
         kTripleAddSpanFailed, static_cast<std::size_t>(kPatchPieceSize), kOld},
        {"between triples", Inflated({{2, 1, 0}, {2, 0, 0}}, Bytes({0, 0, 0, 0}), "z", 5), kTripleCancelled, 3,
         "ABz"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PatchScratch dir;
        dir.Write(L"old.bin", kOld);
        dir.Write(L"p.patch", PatchFile(c.inflated));
        CancelRaised cancel;
        int detail = kUntouched;
        EXPECT_EQ(ApplyPatchFileW(dir.Child(L"old.bin"), dir.Child(L"new.bin"), dir.Child(L"p.patch"), detail),
                  kPatchTripleFailed);
        EXPECT_EQ(detail, c.detail);
        const std::string written = dir.Read(L"new.bin");
        EXPECT_EQ(written.size(), c.written);
        EXPECT_EQ(written.substr(0, c.start.size()), c.start);
        // The in-memory applier has no cancel test.
        EXPECT_EQ(BaPatchFileW(dir.Child(L"old.bin"), dir.Child(L"m.bin"), dir.Child(L"p.patch")), 0);
    }
}

TEST(PatchApplier, ReportsFilesThatDoNotOpen) {
    PatchScratch dir;
    dir.Write(L"old.bin", kOld);
    dir.Write(L"p.patch", PatchFile(Inflated({{2, 0, 0}}, Bytes({1, 1}), "", 2)));
    ::CreateDirectoryW(dir.Child(L"folder").c_str(), nullptr);
    struct Case {
        const wchar_t* oldName;
        const wchar_t* newName;
        const wchar_t* patchName;
        int stream;
        int error;
    } const cases[] = {
        {L"old.bin", L"n.bin", L"missing.patch", kPatchFileUnreadable, ERROR_FILE_NOT_FOUND},
        {L"missing.bin", L"n.bin", L"p.patch", kPatchFileNoOldFile, kUntouched},
        {L"old.bin", L"folder", L"p.patch", kPatchFileNoNewFile, kUntouched},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.oldName << " " << c.newName << " " << c.patchName);
        int error = kUntouched;
        EXPECT_EQ(ApplyPatchFileW(dir.Child(c.oldName), dir.Child(c.newName), dir.Child(c.patchName), error), c.stream);
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(BaPatchFileW(dir.Child(c.oldName), dir.Child(c.newName), dir.Child(c.patchName)), -1);
    }
    EXPECT_EQ(::GetFileAttributesW(dir.Child(L"folder").c_str()) & FILE_ATTRIBUTE_DIRECTORY,
              static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
}

// A running executable is open for reading elsewhere; the new file's folders may not exist yet
// and may be written with '/'.
TEST(PatchApplier, PatchesAnOpenOldFileIntoNewFolders) {
    PatchScratch dir;
    dir.Write(L"old.bin", kOld);
    dir.Write(L"p.patch", PatchFile(Inflated({{2, 0, 0}}, Bytes({1, 1}), "", 2)));
    kbase::ScopedFileHandle running(::CreateFileW(dir.Child(L"old.bin").c_str(), GENERIC_READ, FILE_SHARE_READ,
                                                  nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(running);
    int error = kUntouched;
    EXPECT_EQ(ApplyPatchFileW(dir.Child(L"old.bin"), dir.Child(L"a/b\\s.bin"), dir.Child(L"p.patch"), error), 0);
    EXPECT_EQ(dir.Read(L"a\\b\\s.bin"), "BC");
    EXPECT_EQ(BaPatchFileW(dir.Child(L"old.bin"), dir.Child(L"c/d/m.bin"), dir.Child(L"p.patch")), 0);
    EXPECT_EQ(dir.Read(L"c\\d\\m.bin"), "BC");
}
