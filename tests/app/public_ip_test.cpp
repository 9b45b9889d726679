#include "app/public_ip.h"

#include <gtest/gtest.h>

#include "app/ip_address.h"

namespace {

TEST(PublicIp, TakesTheAnswerOnlyWhenItIsAnAddress) {
    struct Case {
        int code;
        std::string body;
        const char* want;
    } const cases[] = {
        {0, " 203.0.113.7\r\n", "203.0.113.7"},
        {200, "2001:db8::1\n", "2001:db8::1"},
        {0, "203.0.\t113.7", "203.0.113.7"},  // white space goes wherever it stands
        {-1, "203.0.113.7", ""},
        {0, "", ""},
        {0, " \r\n", ""},
        {0, "<html>error</html>", ""},
        {0, "203.0.113.7; rm -rf", ""},
        {0, std::string("203.0.113.7\0", 12), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.body));
        EXPECT_EQ(PublicIpFromAnswer(c.code, c.body), c.want);
    }
}

TEST(PublicIp, LocalAddressIsDottedIpv4OrNothing) {
    const std::string local = GetLocalIpAddress();
    if (!local.empty()) {
        EXPECT_TRUE(IsIpAddressText(local)) << local;
        EXPECT_EQ(local.find(':'), std::string::npos) << local;
    }
}

}  // namespace
