#include "app/version_map.h"

#include <gtest/gtest.h>

#include "app/valid_json.h"
#include "tests/app/scratch_folder.h"

namespace {

const std::string kMd5A = "0123456789abcdef0123456789abcdef";
const std::string kMd5B = "fedcba9876543210FEDCBA9876543210";

VersionMap Map(std::initializer_list<std::pair<const std::string, VersionMapEntry>> entries) {
    return VersionMap(entries);
}

TEST(ParseVersionMap, ReadsBothLayouts) {
    struct Case { const char* name; std::string text; VersionMap want; } const cases[] = {
        {"wrapped: the top-level version is no entry",
         R"({"version": "1_2_3", "list": {"a/b.txt": {"md5": ")" + kMd5A + R"(", "size": 12}}})",
         Map({{"a/b.txt", {kMd5A, 12}}})},
        {"flat: the version is an entry",
         R"({"a/b.txt": {"md5": ")" + kMd5A + R"(", "size": 12}, "version": {"md5": "1_2_3"}})",
         Map({{"a/b.txt", {kMd5A, 12}}, {"version", {"1_2_3", 0}}})},
        {"null list means flat, and is no entry",
         R"({"list": null, "version": {"md5": "1_2_3", "size": 0}})",
         Map({{"version", {"1_2_3", 0}}})},
        {"missing or null md5 and size take defaults",
         R"({"list": {"x": {}, "y": {"md5": null, "size": null}, "z": {"md5": ""}}})",
         Map({{"x", {"", 0}}, {"y", {"", 0}}, {"z", {"", 0}}})},
        {"sizes are 64-bit; digests of either case",
         R"({"list": {"big.bin": {"md5": ")" + kMd5B + R"(", "size": 5000000000}}})",
         Map({{"big.bin", {kMd5B, 5000000000LL}}})},
        {"non-ASCII names stay UTF-8", "{\"list\": {\"d\xC3\xA9j\xC3\xA0/\xE5\x9B\xBE.png\": {\"size\": 1}}}",
         Map({{"d\xC3\xA9j\xC3\xA0/\xE5\x9B\xBE.png", {"", 1}}})},
        {"empty list", R"({"version": "1_0_0", "list": {}})", VersionMap()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        VersionMap map = Map({{"stale", {}}});
        std::string error;
        EXPECT_TRUE(ParseVersionMap(c.text, map, error)) << error;
        EXPECT_EQ(map.size(), c.want.size());
        for (const auto& [path, entry] : c.want) {
            ASSERT_EQ(map.count(path), 1u) << path;
            EXPECT_EQ(map[path].md5, entry.md5);
            EXPECT_EQ(map[path].size, entry.size);
        }
    }
}

TEST(ParseVersionMap, RefusesTheWholeMapForOneBadEntry) {
    const std::string md5 = R"("md5": ")" + kMd5A + R"(")";
    struct Case { const char* name; std::string text; } const cases[] = {
        {"empty text", ""},
        {"not JSON", "version_map"},
        {"truncated", R"({"list": {"a": {)"},
        {"array root", "[1, 2]"},
        {"string root", R"("1_2_3")"},
        {"list is an array", R"({"list": [{"a": {}}]})"},
        {"list is a string", R"({"list": "a"})"},
        {"entry is a number", R"({"list": {"a": 1}})"},
        {"entry is an array", R"({"list": {"a": [1]}})"},
        {"flat map with a string version", R"({"version": "1_2_3", "a": {)" + md5 + "}}"},
        {"md5 is a number", R"({"list": {"a": {"md5": 5}}})"},
        {"md5 is an object", R"({"list": {"a": {"md5": {}}}})"},
        {"md5 is not hex", R"({"list": {"a": {"md5": "..\\..\\0123456789abcdef0123456789"}}})"},
        {"md5 is 31 digits", R"({"list": {"a": {"md5": "0123456789abcdef0123456789abcde"}}})"},
        {"size is a string", R"({"list": {"a": {)" + md5 + R"(, "size": "12"}}})"},
        {"size is negative", R"({"list": {"a": {"size": -1}}})"},
        {"size is a fraction", R"({"list": {"a": {"size": 1.5}}})"},
        {"size is a boolean", R"({"list": {"a": {"size": true}}})"},
        {"size beyond 63 bits", R"({"list": {"a": {"size": 18446744073709551615}}})"},
        {"parent component", R"({"list": {"../launcher.exe": {}}})"},
        {"parent component inside", R"({"list": {"a/../../b": {}}})"},
        {"backslash parent", R"({"list": {"a\\..\\..\\b": {}}})"},
        {"drive", R"({"list": {"C:/Windows/x.dll": {}}})"},
        {"drive-relative", R"({"list": {"C:x": {}}})"},
        {"stream", R"({"list": {"a.txt:evil": {}}})"},
        {"absolute", R"({"list": {"/etc/x": {}}})"},
        {"UNC", R"({"list": {"\\\\server\\share\\x": {}}})"},
        {"empty name", R"({"list": {"": {}}})"},
        {"embedded NUL", R"({"list": {"a\u0000b": {}}})"},
        {"bad entry after good ones", R"({"list": {"a": {}, "b": {}, "z/../../x": {}}})"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        VersionMap map = Map({{"kept", {kMd5A, 3}}});
        std::string error;
        EXPECT_FALSE(ParseVersionMap(c.text, map, error));
        EXPECT_FALSE(error.empty());
        ASSERT_EQ(map.size(), 1u);
        EXPECT_EQ(map["kept"].size, 3);
    }
}

TEST(ParseVersionMap, ErrorNamesTheEntryAndStaysShort) {
    VersionMap map;
    std::string error;
    EXPECT_FALSE(ParseVersionMap(R"({"list": {"data/x.bin": {"size": "7"}}})", map, error));
    EXPECT_NE(error.find("data/x.bin"), std::string::npos) << error;
    EXPECT_NE(error.find("size"), std::string::npos) << error;

    const std::string longName = "../" + std::string(100000, 'a');
    EXPECT_FALSE(ParseVersionMap(R"({"list": {")" + longName + R"(": {}}})", map, error));
    EXPECT_LT(error.size(), 400u);
}

TEST(GetVersionMapVersion, IsTheMd5OfTheVersionEntry) {
    EXPECT_EQ(GetVersionMapVersion(Map({{"version", {"10077_3_5", 0}}, {"a", {kMd5A, 1}}})), "10077_3_5");
    EXPECT_EQ(GetVersionMapVersion(Map({{"a", {kMd5A, 1}}})), "");
    EXPECT_EQ(GetVersionMapVersion(VersionMap()), "");
}

TEST(DiffVersionMaps, EmptyLocalFetchesEverythingButTheVersion) {
    VersionMap local;
    const VersionMap remote = Map({{"a", {kMd5A, 1}}, {"b/c", {kMd5B, 2}}, {"version", {"1_0_1", 0}}});
    VersionMap toUpdate = Map({{"stale", {}}});
    std::list<std::string> toDelete;
    DiffVersionMaps(local, remote, toUpdate, toDelete);
    EXPECT_EQ(toUpdate.size(), 2u);
    EXPECT_EQ(toUpdate.count("a"), 1u);
    EXPECT_EQ(toUpdate["b/c"].size, 2);
    EXPECT_TRUE(toDelete.empty());
}

TEST(DiffVersionMaps, FetchesChangedAndNewDeletesLocalOnly) {
    VersionMap local = Map({
        {"same", {kMd5A, 1}},
        {"changed", {kMd5A, 1}},
        {"resized", {kMd5A, 1}},
        {"gone/x", {kMd5A, 1}},
        {"version", {"1_0_0", 0}},
    });
    const VersionMap remote = Map({
        {"same", {kMd5A, 1}},
        {"changed", {kMd5B, 9}},
        {"resized", {kMd5A, 999}},  // sizes are not compared
        {"new", {kMd5B, 4}},
    });
    VersionMap toUpdate;
    std::list<std::string> toDelete = {"earlier"};
    DiffVersionMaps(local, remote, toUpdate, toDelete);

    EXPECT_EQ(toUpdate.size(), 2u);
    EXPECT_EQ(toUpdate["changed"].md5, kMd5B);
    EXPECT_EQ(toUpdate["changed"].size, 9);
    EXPECT_EQ(toUpdate["new"].size, 4);
    // Appended in path order; a local-only "version" entry is deleted like any other path.
    EXPECT_EQ(toDelete, (std::list<std::string>{"earlier", "gone/x", "version"}));
    // The local map is consumed down to the paths only it listed.
    EXPECT_EQ(local.size(), 2u);
    EXPECT_EQ(local.count("gone/x"), 1u);
}

TEST(DiffVersionMaps, ChangedVersionEntryIsNeverFetched) {
    VersionMap local = Map({{"a", {kMd5A, 1}}, {"version", {"1_0_0", 0}}});
    const VersionMap remote = Map({{"a", {kMd5A, 1}}, {"version", {"1_0_1", 0}}});
    VersionMap toUpdate;
    std::list<std::string> toDelete;
    DiffVersionMaps(local, remote, toUpdate, toDelete);
    EXPECT_TRUE(toUpdate.empty());
    EXPECT_TRUE(toDelete.empty());
}

TEST(VersionMapFile, WrittenMapReadsBack) {
    ScratchFolder folder;
    const std::wstring path = folder.Child(L"version_map.txt");
    const VersionMap written = Map({{"KORU.exe", {kMd5A, 4294967296LL + 5}}, {"KORU_Data/a b.dat", {kMd5B, 0}}});
    ASSERT_TRUE(WriteVersionMapFile(path, "10077_3_5", written));
    EXPECT_NE(ReadWholeFile(path).find("\n\t\"list\""), std::string::npos);

    VersionMap read = Map({{"stale", {}}});
    std::string error;
    ASSERT_TRUE(LoadVersionMapFile(path, read, error)) << error;
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read["KORU.exe"].size, 4294967296LL + 5);
    EXPECT_EQ(read["KORU_Data/a b.dat"].md5, kMd5B);
}

TEST(VersionMapFile, EmptyMapReadsBackAsEmpty) {
    ScratchFolder folder;
    const std::wstring path = folder.Child(L"empty.txt");
    ASSERT_TRUE(WriteVersionMapFile(path, "1.0.0", VersionMap()));
    VersionMap read = Map({{"stale", {}}});
    std::string error;
    EXPECT_TRUE(LoadVersionMapFile(path, read, error)) << error;
    EXPECT_TRUE(read.empty());
}

TEST(VersionMapFile, MissingOrBadFileEmptiesTheMap) {
    ScratchFolder folder;
    folder.WriteFile(L"bad.txt", R"({"list": {"../x": {}}})");
    for (const wchar_t* name : {L"missing.txt", L"bad.txt"}) {
        VersionMap map = Map({{"stale", {}}});
        std::string error;
        EXPECT_FALSE(LoadVersionMapFile(folder.Child(name), map, error));
        EXPECT_TRUE(map.empty());
        EXPECT_FALSE(error.empty());
    }
    EXPECT_FALSE(WriteVersionMapFile(folder.Child(L"no\\such\\folder\\map.txt"), "1_0_0", VersionMap()));
}

TEST(IsValidJson, ParsesExactlyTheGivenBytes) {
    struct Case { const char* bytes; std::size_t length; bool want; } const cases[] = {
        {"{}", 2, true},
        {"[1,2]", 5, true},
        {"{}garbage", 2, true},
        {"{\"a\":", 5, false},
        {"", 0, false},
        {nullptr, 0, false},
        {"not json", 8, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes ? c.bytes : "(null)");
        std::string error;
        EXPECT_EQ(IsValidJson(c.bytes, c.length, error), c.want);
        EXPECT_EQ(error.empty(), c.want);
    }
}

}  // namespace
