#include "app/web_link.h"

#include <gtest/gtest.h>

namespace {

TEST(IsWebLink, OnlyHttpAndHttpsAddresses) {
    struct Case {
        const char* url;
        bool web;
    } const cases[] = {
        {"https://example.org/faq", true},
        {"http://example.org", true},
        {"HTTPS://EXAMPLE.ORG", true},
        {"https://", false},
        {"file:///C:/Windows/system32/calc.exe", false},
        {"C:\\Windows\\system32\\calc.exe", false},
        {"calc.exe", false},
        {"javascript:alert(1)", false},
        {"mailto:a@b.c", false},
        {" https://example.org", false},
        {"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url);
        EXPECT_EQ(IsWebLink(c.url), c.web);
    }
}

}  // namespace
