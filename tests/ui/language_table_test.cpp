#include "ui/language_table.h"

#include <windows.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "tests/ui/image_files.h"

namespace {

using namespace std::string_literals;

// A movable block holding bytes, as the resource archive hands out.
class Block {
public:
    explicit Block(std::string_view bytes) : block_(::GlobalAlloc(GMEM_MOVEABLE | GMEM_NODISCARD, bytes.size())) {
        std::memcpy(::GlobalLock(block_), bytes.data(), bytes.size());
        ::GlobalUnlock(block_);
    }
    ~Block() { ::GlobalFree(block_); }
    Block(const Block&) = delete;
    Block& operator=(const Block&) = delete;
    HGLOBAL Get() const { return block_; }

private:
    HGLOBAL block_;
};

// The whole literal, NUL bytes included.
template <std::size_t N>
void Load(const char (&text)[N]) {
    const Block block(std::string_view(text, N - 1));
    ui::LanguageTable::GetInstance().LoadFromMemory(block.Get());
}

std::wstring Text(const std::wstring& id) {
    return ui::LanguageTable::GetInstance().GetText(id);
}

TEST(LanguageTable, TakesLinesOfOneKeyAndOneValue) {
    Load("STRING_CONFIRM = CONFIRM\r\n"
         "; STRING_COMMENT = commented out\n"
         "STRING_THREE = a = b\n"
         "STRING_LONE =\n"
         "STRING_DOUBLE == value\n"
         "=STRING_LEADING= value\n"
         "STRING_SEMI = a;b\n"
         "STRING_ESCAPES = one\\ntwo\\rthree\n"
         "STRING_TWICE = first\n"
         "STRING_TWICE = second\n"
         "   \t  \n"
         "STRING_TAB =\tvalue\n"
         "STRING_CONTROL = \x1Fkept\x1E\n"
         "STRING_SPEED = Download speed: %ls/S\0STRING_AFTER_NUL = yes"
         "\nSTRING_UTF8 = \xE7\xA2\xBA\xE5\xAE\x9A");
    struct Case {
        const wchar_t* id;
        const wchar_t* text;
    } const cases[] = {
        {L"STRING_CONFIRM", L"CONFIRM"},
        {L"; STRING_COMMENT", L""},
        {L"STRING_COMMENT", L""},
        {L"STRING_THREE", L""},
        {L"STRING_LONE", L""},
        {L"STRING_DOUBLE", L"value"},
        {L"STRING_LEADING", L"value"},
        {L"STRING_SEMI", L"a;b"},
        {L"STRING_ESCAPES", L"one\ntwo\rthree"},
        {L"STRING_TWICE", L"second"},
        {L"STRING_TAB", L"value"},
        {L"STRING_CONTROL", L"\x1Fkept\x1E"},
        {L"STRING_SPEED", L"Download speed: %ls/S"},
        {L"STRING_AFTER_NUL", L"yes"},
        {L"STRING_UTF8", L"\u78BA\u5B9A"},
        {L"", L""},
        {L"STRING_MISSING", L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(Text(c.id), c.text);
    }
}

TEST(LanguageTable, OverridesReplaceOnlyKnownTextsAndGoWithTheNextLoad) {
    Load("STRING_GAME_TITLE = Game\n");
    auto& table = ui::LanguageTable::GetInstance();
    table.SetOverride(L"STRING_GAME_TITLE", L"Tarvenor");
    table.SetOverride(L"STRING_UNKNOWN", L"never shown");
    EXPECT_EQ(Text(L"STRING_GAME_TITLE"), L"Tarvenor");
    EXPECT_EQ(Text(L"STRING_UNKNOWN"), L"");
    EXPECT_EQ(table.GetTextUtf8("STRING_GAME_TITLE"), "Tarvenor");

    Load("STRING_GAME_TITLE = Game\n");
    EXPECT_EQ(Text(L"STRING_GAME_TITLE"), L"Game");
}

TEST(LanguageTable, ParseLinesAddsEntriesToTheLoadedOnes) {
    Load("STRING_A = a\n");
    auto& table = ui::LanguageTable::GetInstance();
    EXPECT_FALSE(table.ParseLines({}));
    EXPECT_TRUE(table.ParseLines({L"STRING_B = b", L"STRING_A = again"}));
    EXPECT_EQ(Text(L"STRING_A"), L"again");
    EXPECT_EQ(Text(L"STRING_B"), L"b");
}

TEST(LanguageTable, ReadsAFileInLinesOfAtMost4095Bytes) {
    image_files::TempFolder folder;
    // A value of 4,000 bytes fits; one of 5,000 is cut, and its second piece, "x...x", is a
    // line without "=" of its own.
    const std::string fits(4000, 'a');
    const std::string cut(5000, 'b');
    const std::string key(4095 - 10, 'T');  // "STRING_" + key + "=c\n" is 4,095 bytes
    image_files::WriteBytes(folder.Child(L"en.ini"), "STRING_FITS = " + fits + "\r\nSTRING_CUT = " + cut + "\r\n" +
                                    "STRING_AFTER = after\r\nSTRING_" + key + "=c\n" +
                                    "STRING_NUL = x\0y\nSTRING_LAST = last"s);
    auto& table = ui::LanguageTable::GetInstance();
    ASSERT_TRUE(table.LoadFromFile(folder.Child(L"en.ini")));
    EXPECT_EQ(Text(L"STRING_FITS"), std::wstring(fits.begin(), fits.end()));
    EXPECT_EQ(Text(L"STRING_CUT").size(), 4095u - std::string("STRING_CUT = ").size());
    EXPECT_EQ(Text(L"STRING_AFTER"), L"after");
    EXPECT_EQ(Text(L"STRING_" + std::wstring(key.begin(), key.end())), L"c");
    EXPECT_EQ(Text(L"STRING_NUL"), L"x");
    EXPECT_EQ(Text(L"STRING_LAST"), L"last");
}

TEST(LanguageTable, AFileThatCannotBeReadEmptiesTheTable) {
    Load("STRING_CONFIRM = CONFIRM\n");
    EXPECT_FALSE(ui::LanguageTable::GetInstance().LoadFromFile(L"C:\\no\\such\\lang\\en.ini"));
    EXPECT_EQ(Text(L"STRING_CONFIRM"), L"");
}

// The worker looks texts up while the UI thread reloads the table: every lookup sees one
// whole table, never a half-filled or freed one.
TEST(LanguageTable, LookupsOnAnotherThreadSeeWholeTablesDuringReloads) {
    std::string english;
    std::string chinese;
    for (int i = 0; i < 200; ++i) {
        english += "STRING_" + std::to_string(i) + " = English\n";
        chinese += "STRING_" + std::to_string(i) + " = Chinese\n";
    }
    const Block englishBlock(english);
    const Block chineseBlock(chinese);
    auto& table = ui::LanguageTable::GetInstance();
    table.LoadFromMemory(englishBlock.Get());

    std::atomic<bool> stop{false};
    std::atomic<int> torn{0};
    std::atomic<long> lookups{0};
    std::thread worker([&] {
        while (!stop) {
            const std::wstring text = table.GetText(L"STRING_" + std::to_wstring(lookups % 200));
            if (text != L"English" && text != L"Chinese") ++torn;
            ++lookups;
        }
    });
    for (int reload = 0; reload < 300; ++reload) {
        table.LoadFromMemory(reload % 2 ? englishBlock.Get() : chineseBlock.Get());
    }
    stop = true;
    worker.join();
    EXPECT_GT(lookups, 0);
    EXPECT_EQ(torn, 0);
}

}  // namespace
