#include "ui/render/text_pieces.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ui {
namespace {

TEST(CutUtf8Sequences, FollowsLeadBytesAndKeepsThaiMarks) {
    struct Case {
        const char* what;
        std::string bytes;
        std::vector<std::string> want;
    } const cases[] = {
        {"ASCII: single characters", "abc", {"a", "b", "c"}},
        {"two-byte", "\xC3\xA9x", {"\xC3\xA9", "x"}},
        {"four-byte", "\xF0\x9F\x98\x80", {"\xF0\x9F\x98\x80"}},
        {"Thai consonant + U+0E48", "\xE0\xB8\x81\xE0\xB9\x88", {"\xE0\xB8\x81\xE0\xB9\x88"}},
        {"Thai consonant + U+0E31", "\xE0\xB8\x81\xE0\xB8\xB1z", {"\xE0\xB8\x81\xE0\xB8\xB1", "z"}},
        {"Thai consonant + consonant", "\xE0\xB8\x81\xE0\xB8\x82", {"\xE0\xB8\x81", "\xE0\xB8\x82"}},
        // The mark's tail bytes after a byte that starts no three-byte sequence do not join.
        {"tail bytes after ASCII", "\xE0\xB8\x81" "A\xB8\xB1", {"\xE0\xB8\x81", "A", "\xB8", "\xB1"}},
        {"tail bytes after a two-byte lead", "\xE0\xB8\x81\xC3\xB8\xB1", {"\xE0\xB8\x81", "\xC3\xB8", "\xB1"}},
        {"consonant with a mark cut short", "\xE0\xB8\x81\xE0\xB9", {"\xE0\xB8\x81"}},
        {"lone continuation byte", "\x80q", {"\x80", "q"}},
        {"truncated three-byte sequence dropped", "a\xE0\xB8", {"a"}},
        {"six-byte lead with too few bytes", "\xFC\x80\x80", {}},
        {"five-byte lead", "\xF8\x80\x80\x80\x80!", {"\xF8\x80\x80\x80\x80", "!"}},
        {"0xFF is one byte", "\xFF\xFE", {"\xFF", "\xFE"}},
        {"empty", "", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(CutUtf8Sequences(c.bytes), c.want);
    }
}

TEST(CutArabicLine, KeepsJoinedLettersTogether) {
    struct Case {
        const char* what;
        std::wstring line;
        std::vector<std::wstring> want;
    } const cases[] = {
        {"beh alef join", L"\x0628\x0627", {L"\x0628\x0627"}},
        {"alef joins nothing after it", L"\x0627\x0628", {L"\x0627", L"\x0628"}},
        {"dal joins nothing after it", L"\x062F\x0628", {L"\x062F", L"\x0628"}},
        {"hamza joins neither side", L"\x0628\x0621\x0628", {L"\x0628", L"\x0621", L"\x0628"}},
        {"a mark between letters stays inside", L"\x0628\x064E\x0628", {L"\x0628\x064E\x0628"}},
        {"lam-alef ends its piece", L"\x0628\x0644\x0627\x0628", {L"\x0628\x0644\x0627", L"\x0628"}},
        {"space and digits are pieces of their own", L"\x0628 1\x0628", {L"\x0628", L" ", L"1", L"\x0628"}},
        {"a leading mark is a piece", L"\x064E\x0628", {L"\x064E", L"\x0628"}},
        {"Latin letters stay apart", L"ab", {L"a", L"b"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(CutArabicLine(c.line), c.want);
    }
}

TEST(CutTextIntoLines, SplitsLinesAndOrdersArabicForDrawing) {
    struct Case {
        const char* what;
        std::wstring text;
        TextLines want;
    } const cases[] = {
        {"English: single characters, empty lines dropped", L"ab\n\ncd\n", {{L"a", L"b"}, {L"c", L"d"}}},
        {"Thai consonant + U+0E48 is one piece", L"\x0E01\x0E48\x0E02", {{L"\x0E01\x0E48", L"\x0E02"}}},
        {"surrogate pair is one piece", L"x\xD83D\xDE00", {{L"x", L"\xD83D\xDE00"}}},
        {"Arabic pieces reversed", L"\x0628\x0627 \x0628", {{L"\x0628", L" ", L"\x0628\x0627"}}},
        {"a text with Arabic cuts every line the Arabic way", L"ab\n\x0628", {{L"b", L"a"}, {L"\x0628"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TextLines lines;
        EXPECT_TRUE(CutTextIntoLines(c.text, lines));
        EXPECT_EQ(lines, c.want);
    }
}

}  // namespace
}  // namespace ui
