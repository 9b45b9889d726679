#include "app/command_line.h"

#include <gtest/gtest.h>

namespace {

using Verb = CommandLine::Verb;

TEST(ParseCommandLine, RecognisesVerbsOnlyWithTheirWordCount) {
    struct Case {
        std::vector<std::wstring> args;
        Verb verb;
    } const cases[] = {
        {{L"l.exe"}, Verb::kNone},
        {{L"l.exe", L"replace", L"a", L"b", L"c"}, Verb::kReplace},
        {{L"l.exe", L"replace", L"a", L"b"}, Verb::kNone},
        {{L"l.exe", L"replace", L"a", L"b", L"c", L"d"}, Verb::kNone},
        {{L"l.exe", L"make_version", L"1_2_3"}, Verb::kMakeVersion},
        {{L"l.exe", L"make_version", L""}, Verb::kMakeVersion},
        {{L"l.exe", L"make_version", L"1", L"2"}, Verb::kNone},
        {{L"l.exe", L"make_dependence_version", L"1_2_3"}, Verb::kMakeDependenceVersion},
        {{L"l.exe", L"set_language", L"en"}, Verb::kSetLanguage},
        {{L"l.exe", L"set_language", L"en", L"taa"}, Verb::kSetLanguage},
        {{L"l.exe", L"set_language"}, Verb::kNone},
        {{L"l.exe", L"set_platform", L"abc"}, Verb::kSetPlatform},
        {{L"l.exe", L"set_platform", L"abc", L"x"}, Verb::kNone},
        {{L"l.exe", L"Make_Version", L"1_2_3"}, Verb::kNone},  // case matters
        {{L"l.exe", L"unknown", L"x"}, Verb::kNone},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        const CommandLine parsed = ParseCommandLine(c.args);
        EXPECT_EQ(parsed.verb, c.verb);
        if (c.verb != Verb::kNone) {
            EXPECT_EQ(parsed.values, std::vector<std::wstring>(c.args.begin() + 2, c.args.end()));
        }
    }
}

TEST(SplitCommandLine, KeepsQuotedWordsWhole) {
    EXPECT_EQ(SplitCommandLine(LR"("C:\a b\l.exe" replace "x y" "" z)"),
              (std::vector<std::wstring>{L"C:\\a b\\l.exe", L"replace", L"x y", L"", L"z"}));
    EXPECT_TRUE(SplitCommandLine(nullptr).empty());
}

TEST(CommandLineValue, TakesOnlyNonEmptyValuesThatFit) {
    struct Case {
        std::wstring value;
        bool taken;
    } const cases[] = {
        {L"", false},
        {L"en", true},
        {std::wstring(31, L'x'), true},
        {std::wstring(32, L'x'), false},  // refused whole, never cut
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value.size());
        CommandLineValue value;
        EXPECT_EQ(value.Store(c.value), c.taken);
        EXPECT_EQ(value.given(), c.taken);
        EXPECT_EQ(value.value(), c.taken ? c.value : L"");
    }
}

TEST(StoreCommandLineValues, FillsLanguageOptionAndPlatform) {
    StoreCommandLineValues(ParseCommandLine({L"l.exe", L"set_language", L"ja", L"taa"}));
    StoreCommandLineValues(ParseCommandLine({L"l.exe", L"set_platform", L"abc"}));
    EXPECT_TRUE(CommandLineLanguage.given());
    EXPECT_EQ(CommandLineLanguage.value(), L"ja");
    EXPECT_EQ(CommandLineTextOption.value(), L"taa");
    EXPECT_EQ(CommandLinePlatform.value(), L"abc");
}

}  // namespace
