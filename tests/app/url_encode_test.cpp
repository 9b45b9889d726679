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

}  // namespace
