#include "app/ip_address.h"

#include <string>

#include <gtest/gtest.h>

namespace {

TEST(IsIpAddressText, AcceptsPlainIpv4AndIpv6Only) {
    struct Case { std::string text; bool want; } const cases[] = {
        {"0.0.0.0", true},
        {"255.255.255.255", true},
        {"203.0.113.7", true},
        {"::", true},
        {"::1", true},
        {"2001:db8::1", true},
        {"2001:DB8:0:0:8:800:200C:417A", true},
        {"::ffff:192.0.2.128", true},
        {"1:2:3:4:5:6:1.2.3.4", true},
        {"1:2:3:4:5:6:7::", true},
        {"::1:2:3:4:5:6:7", true},
        {"", false},
        {"1.2.3", false},
        {"1.2.3.4.5", false},
        {"256.1.1.1", false},
        {"1.2.3.1000", false},
        {"01.2.3.4", false},        // leading zero: octal to some readers
        {"1..2.3", false},
        {"1.2.3.", false},
        {".1.2.3", false},
        {"+1.2.3.4", false},
        {"1.2.3.-4", false},
        {"a.b.c.d", false},
        {" 1.2.3.4", false},
        {"1.2.3.4\n", false},
        {std::string("1.2.3.4\0", 8), false},
        {"1.2.3.4:80", false},
        {"1:2:3:4:5:6:7", false},   // seven groups without "::"
        {"1:2:3:4:5:6:7:8:9", false},
        {"1:2:3:4:5:6:7:8::", false},
        {"::1:2:3:4:5:6:7:8", false},
        {"1:2:3:4:5:6:7:1.2.3.4", false},
        {"1::2::3", false},
        {":::", false},
        {"1:::2", false},
        {":1::", false},
        {"1:", false},
        {"12345::", false},
        {"g::1", false},
        {"::1.2.3", false},
        {"1.2.3.4::", false},
        {"::1.2.3.4:1", false},
        {"fe80::1%eth0", false},
        {"[::1]", false},
        {"<html>blocked</html>", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text));
        EXPECT_EQ(IsIpAddressText(c.text), c.want);
    }
}

}  // namespace
