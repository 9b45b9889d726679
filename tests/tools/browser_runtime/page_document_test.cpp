#include "tools/browser_runtime/page_document.h"

#include <optional>
#include <string>

#include <gtest/gtest.h>

namespace {

TEST(PageDocument, ReadsTitleAndBodyColour) {
    struct Case {
        const char* html;
        std::wstring title;
        std::optional<std::uint32_t> background;
    };
    const Case cases[] = {
        {"<html><head><TITLE>\n  Tarvenor   &amp; friends </TITLE></head><body bgcolor=\"#1D2233\">", L"Tarvenor & friends",
         0x1D2233},
        {"<title>a</title><body style=\"font-family:sans-serif;background:#1d2233;color:#e8e8f0\">", L"a", 0x1D2233},
        {"<body style='background-color: #abc'>", L"", 0xAABBCC},
        {"<title>\xE6\xB4\xBB\xE5\x8B\x95</title><body>", L"\x6D3B\x52D5", std::nullopt},
        {"<body style=\"background: red\">", L"", std::nullopt},
        {"<body style=\"background:#12345\">", L"", std::nullopt},
        {"<title>no end", L"", std::nullopt},
        {"", L"", std::nullopt},
        {"<body", L"", std::nullopt},
    };
    for (const Case& check : cases) {
        const PageDocument document = ParsePageDocument(check.html);
        EXPECT_EQ(document.title, check.title) << check.html;
        EXPECT_EQ(document.background, check.background) << check.html;
    }
}

}  // namespace
