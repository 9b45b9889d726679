#include "app/url_encode.h"

#include <string>

#include <gtest/gtest.h>

namespace {

TEST(PercentEncode, KeepsUnreservedAndEncodesEveryOtherByte) {
    struct Case { std::string text; std::string want; } const cases[] = {
        {"", ""},
        {"AZaz09-._~", "AZaz09-._~"},
        {"Intel(R) Core(TM) i7 @ 3.00GHz", "Intel%28R%29%20Core%28TM%29%20i7%20%40%203.00GHz"},
        {"&=?#%+/", "%26%3D%3F%23%25%2B%2F"},
        {"\"\\\r\n\t", "%22%5C%0D%0A%09"},
        {std::string("a\0b", 3), "a%00b"},
        {"\x7f\xff", "%7F%FF"},
        {"\xC3\xA9\xE4\xB8\xAD", "%C3%A9%E4%B8%AD"},  // UTF-8 of e-acute and a CJK character
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text));
        EXPECT_EQ(PercentEncode(c.text), c.want);
    }
}

TEST(PercentEncodePath, KeepsWhatAPathMayHoldAndEncodesTheRest) {
    struct Case { std::string path; std::string want; } const cases[] = {
        {"KORU_Data/Resources/unity_default_resources", "KORU_Data/Resources/unity_default_resources"},
        {"a/b(1)+c,d;e=f:g@h!$&'*", "a/b(1)+c,d;e=f:g@h!$&'*"},
        {"\xE8\xA7\x92\xE8\x89\xB2/\xE7\xAB\x8B\xE7\xB9\xAA 02.png",  // a CJK folder and name with a blank
         "%E8%A7%92%E8%89%B2/%E7%AB%8B%E7%B9%AA%2002.png"},
        {"100%/a?b#c", "100%25/a%3Fb%23c"},
        {"a\\b\"<>^`{|}", "a%5Cb%22%3C%3E%5E%60%7B%7C%7D"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.path));
        EXPECT_EQ(PercentEncodePath(c.path), c.want);
    }
}

}  // namespace
