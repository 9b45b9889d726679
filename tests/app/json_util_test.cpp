#include "app/json_util.h"

#include <list>
#include <string>

#include <gtest/gtest.h>
#include <windows.h>

#include "base/string_conversions.h"
#include "tests/app/scratch_folder.h"

namespace {

Json::Value Parse(const std::string& text) {
    Json::Value value;
    std::string errors;
    EXPECT_TRUE(ParseJson(text, value, errors)) << text << ": " << errors;
    return value;
}

std::string Narrow(const std::wstring& text) {
    std::string narrow;
    kbase::WideToCodePage(text, narrow, CP_ACP);
    return narrow;
}

}  // namespace

TEST(ParseJson, RefusesMalformedTextWithAMessage) {
    const std::string too_deep = std::string(100000, '[') + std::string(100000, ']');
    const std::string cases[] = {
        "",
        " ",
        "{",
        "}",
        "{\"a\":}",
        "{\"a\" 1}",
        "{'a':1}",
        "[1,,2]",
        "\"unterminated",
        "nul",
        "tru",
        "{\"a\":\"\\u12\"}",
        std::string("{\"a\":1\0}", 8).substr(0, 7),  // cut short
        too_deep,
    };
    for (const std::string& text : cases) {
        SCOPED_TRACE(text.substr(0, 40));
        Json::Value value = "untouched";
        std::string errors;
        EXPECT_FALSE(ParseJson(text, value, errors));
        EXPECT_FALSE(errors.empty());
        EXPECT_EQ(value, Json::Value("untouched"));
    }
}

TEST(ParseJson, AcceptsEveryKindOfRoot) {
    EXPECT_TRUE(Parse("{\"version\":\"1_0_2\",\"list\":{}}").isObject());
    EXPECT_TRUE(Parse("[]").isArray());
    EXPECT_TRUE(Parse("null").isNull());
    EXPECT_EQ(Parse("\"text\"").asString(), "text");
    EXPECT_EQ(Parse("// note\n{\"a\":1}")["a"].asInt(), 1);
    const std::string nested = std::string(30, '[') + std::string(30, ']');
    EXPECT_TRUE(Parse(nested).isArray());
}

TEST(FindJsonMember, SearchesArrayElementsButNotObjectMembers) {
    const Json::Value root = Parse(R"({
        "a_null": null,
        "b_list": [1, "x", [{"deep": 0}], {"key": "in array"}, {"key": "later"}],
        "c_object": {"key": "in object"},
        "key": null,
        "other": {"hidden": 1}
    })");
    Json::Value out;
    ASSERT_TRUE(FindJsonMember(root, "key", out));
    EXPECT_EQ(out, Json::Value("in array"));  // the null "key" is passed over
    EXPECT_FALSE(FindJsonMember(root, "hidden", out));
    EXPECT_FALSE(FindJsonMember(root, "deep", out));  // arrays inside arrays are not entered
    EXPECT_FALSE(FindJsonMember(root, "a_null", out));
    ASSERT_TRUE(FindJsonMember(root, "c_object", out));
    EXPECT_TRUE(out.isObject());

    for (const char* text : {"[{\"key\":1}]", "\"key\"", "1", "null"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(FindJsonMember(Parse(text), "key", out));
    }
}

TEST(FindJsonMember, TypedLookupsRefuseWrongTypes) {
    const Json::Value root = Parse(R"({"s":"5","i":5,"r":2.5,"whole":2.0,"big":3000000000,
                                       "neg":-7,"b":true,"o":{},"a":[]})");
    const struct {
        const char* key;
        bool is_string;
        bool is_int;
    } cases[] = {
        {"s", true, false},     {"i", false, true},  {"r", false, false},
        {"whole", false, true}, {"big", false, false}, {"neg", false, true},
        {"b", false, false},    {"o", false, false}, {"a", false, false},
        {"missing", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        std::string text = "untouched";
        int number = 42;
        EXPECT_EQ(FindJsonString(root, c.key, text), c.is_string);
        EXPECT_EQ(FindJsonInt(root, c.key, number), c.is_int);
        if (!c.is_string) {
            EXPECT_EQ(text, "untouched");
        }
        if (!c.is_int) {
            EXPECT_EQ(number, 42);
        }
    }
    int number = 0;
    ASSERT_TRUE(FindJsonInt(root, "neg", number));
    EXPECT_EQ(number, -7);
}

TEST(GetJsonStringList, TakesStringsOnly) {
    const Json::Value root = Parse(R"({"urls":["http://a/",7,null,{"x":1},"http://b/"],
                                       "one":"http://c/","number":5,"empty":[],"objects":[{}]})");
    const struct {
        const char* key;
        std::vector<std::string> want;
    } cases[] = {
        {"urls", {"http://a/", "http://b/"}},
        {"one", {"http://c/"}},
        {"number", {}},
        {"empty", {}},
        {"objects", {}},
        {"missing", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        std::vector<std::string> out = {"stale"};
        EXPECT_EQ(GetJsonStringList(root, c.key, out), !c.want.empty());
        EXPECT_EQ(out, c.want);
    }
}

TEST(JsonFiles, WriteTabIndentedAndReadBack) {
    ScratchFolder folder;
    Json::Value value;
    value["version"] = "1_0_3";
    value["list"]["a.txt"]["md5"] = "900150983cd24fb0d6963f7d28e17f72";
    const std::string path = Narrow(folder.Child(L"map.json"));
    ASSERT_TRUE(WriteJsonFile(path, value));
    EXPECT_NE(ReadWholeFile(folder.Child(L"map.json")).find("\n\t\"version\""), std::string::npos);

    Json::Value read;
    std::string errors;
    ASSERT_TRUE(ReadJsonFileW(folder.Child(L"map.json"), read, errors)) << errors;
    EXPECT_EQ(read, value);

    EXPECT_FALSE(ReadJsonFile(Narrow(folder.Child(L"missing.json")), read, errors));
    EXPECT_FALSE(errors.empty());
    folder.WriteFile(L"bad.json", "{\"version\":");
    EXPECT_FALSE(ReadJsonFileW(folder.Child(L"bad.json"), read, errors));
    EXPECT_FALSE(WriteJsonFileW(folder.Child(L"no\\folder.json"), value));
}

TEST(StringListFiles, RoundTripAndRefuseAnythingButAnArrayOfStrings) {
    ScratchFolder folder;
    const std::string path = Narrow(folder.Child(L"cef_update.txt"));
    ASSERT_TRUE(WriteStringListFile(path, {"libcef.dll", "cef\\locales\\zh-TW.pak"}));
    std::list<std::string> out = {"kept"};
    ASSERT_TRUE(ReadStringListFile(path, out));
    EXPECT_EQ(out, (std::list<std::string>{"kept", "libcef.dll", "cef\\locales\\zh-TW.pak"}));

    ASSERT_TRUE(WriteStringListFile(path, {}));
    EXPECT_EQ(ReadWholeFile(folder.Child(L"cef_update.txt")), "null");

    const char* refused[] = {"null", "[\"a\", 1]", "[\"a\", null]", "[[\"a\"]]", "{\"a\":\"b\"}",
                             "\"a\"", "[\"a\"", ""};
    for (const char* text : refused) {
        SCOPED_TRACE(text);
        folder.WriteFile(L"list.txt", text);
        std::list<std::string> names = {"kept"};
        EXPECT_FALSE(ReadStringListFile(Narrow(folder.Child(L"list.txt")), names));
        EXPECT_EQ(names, std::list<std::string>{"kept"});
    }
    std::list<std::string> names;
    EXPECT_FALSE(ReadStringListFile(Narrow(folder.Child(L"missing.txt")), names));
}

TEST(StringListFiles, PathListsRefuseNamesThatLeaveTheFolder) {
    ScratchFolder folder;
    const std::string path = Narrow(folder.Child(L"font_update.txt"));
    ASSERT_TRUE(WriteStringListFile(path, {"fonts/a.ttf", "b.ttf"}));
    std::list<std::string> out;
    std::string error;
    ASSERT_TRUE(ReadRelativePathListFile(path, out, &error)) << error;
    EXPECT_EQ(out, (std::list<std::string>{"fonts/a.ttf", "b.ttf"}));

    for (const char* bad : {"..\\..\\Windows\\Fonts\\x.ttf", "C:\\x.ttf", "\\x.ttf", ""}) {
        SCOPED_TRACE(bad);
        ASSERT_TRUE(WriteStringListFile(path, {"ok.ttf", bad}));
        std::list<std::string> names;
        EXPECT_FALSE(ReadRelativePathListFile(path, names, &error));
        EXPECT_TRUE(names.empty());
        EXPECT_NE(error.find(bad), std::string::npos) << error;
    }
}
