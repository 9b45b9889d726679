#include "ui/markup_parser.h"

#include <windows.h>

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "app/file_util.h"
#include "base/string_conversions.h"
#include "ui/global_manager.h"

namespace {

using ui::MarkupNode;
using ui::MarkupParser;

// name[attr=value;...]'content'(child,...): the whole subtree, checking each child's parent.
std::wstring Dump(const MarkupNode& node) {
    std::wstring out = node.GetName();
    const int count = node.GetAttributeCount();
    for (int i = 0; i < count; ++i) {
        out += (i == 0 ? L"[" : L";") + std::wstring(node.GetAttributeName(i)) + L"=" + node.GetAttributeValue(i);
    }
    if (count > 0) out += L"]";
    if (*node.GetContent()) out += L"'" + std::wstring(node.GetContent()) + L"'";
    const wchar_t* separator = L"(";
    for (MarkupNode child = node.GetFirstChild(); child.IsValid(); child = child.GetNextSibling()) {
        // Names point into the parser's text, so equal pointers mean the same element.
        EXPECT_EQ(child.GetParent().GetName(), node.GetName()) << "parent of " << child.GetName();
        out += separator + Dump(child);
        separator = L",";
    }
    if (node.HasChildren()) out += L")";
    return out;
}

// The top-level elements, separated by blanks.
std::wstring DumpDocument(MarkupParser& parser) {
    std::wstring out;
    for (MarkupNode node = parser.GetRoot(); node.IsValid(); node = node.GetNextSibling()) {
        EXPECT_FALSE(node.GetParent().IsValid());
        out += (out.empty() ? L"" : L" ") + Dump(node);
    }
    return out;
}

std::string Utf8(const std::wstring& text) {
    std::string out;
    kbase::WideToUtf8(text, out);
    return out;
}

TEST(MarkupParser, ReadsDocuments) {
    struct Case {
        const wchar_t* text;
        const wchar_t* tree;
    } const cases[] = {
        {L"", L""},
        {L"  <!-- only a comment -->  ", L""},
        {L"<Window/>", L"Window"},
        {L"<Window size=\"1340,750\" caption=\"0,0,0,30\"><VBox><Label name=\"a\" text=\"Hi\"/><Button/></VBox>"
         L"<HBox/></Window>",
         L"Window[size=1340,750;caption=0,0,0,30](VBox(Label[name=a;text=Hi],Button),HBox)"},
        {L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!-- skin -->\n<Window><!-- inner --><Box/><?pi?></Window>",
         L"Window(Box)"},
        {L"<a v=\"&lt;b&gt;\" w=\"&amp;amp;\" x=\"&#65;\" y=\"&quot;q&quot;&apos;\" z=\"&lt;&lt;&amp\">a &gt; b</a>",
         L"a[v=<b>;w=&amp;;x=&#65;;y=\"q\"';z=<<&amp]'a > b'"},
        {L"<Label text=\"  two  spaces \">\n  line one\n\tline two  </Label>",
         L"Label[text=  two  spaces ]'\n  line one\n\tline two  '"},
        // Left open at the end: accepted for the root and its children.
        {L"<Window><Box>", L"Window(Box)"},
        {L"<Window>text", L"Window'text'"},
        {L"<Window x=\"1\"><Box y=\"2\">text &amp", L"Window[x=1](Box[y=2]'text &amp')"},
        {L"<a/><!-- left open", L"a"},
        // The same empty element, however it is closed.
        {L"<a/><a /><a></a><a x=\"1\"/><a x=\"1\" /><a x=\"1\"></a>", L"a a a a[x=1] a[x=1] a[x=1]"},
        {L"  <a > </a >  ", L"a' '"},
        {L"<a x = \"1\"\n\ty=\"2\" z=\"\"/>", L"a[x=1;y=2;z=]"},
        {L"<my:tag a_b=\"1\" c2=\"\u78BA\u5B9A\"/>", L"my:tag[a_b=1;c2=\u78BA\u5B9A]"},
        {L"<a x=\"/>\" y=\">\" z=\"<b/>\"/>", L"a[x=/>;y=>;z=<b/>]"},
        {L"<a>text<b/><c/></a>", L"a'text'(b,c)"},
        // Shortened by an entity: before a child, and with text after it that looks like attributes.
        {L"<a>&lt;<b/></a>", L"a'<'(b)"},
        {L"<a x=\"1\">&amp;\"q\" y=\"2\"</a>", L"a[x=1]'&\"q\" y=\"2\"'"},
        {L"<a><a><a/></a><a/></a>", L"a(a(a),a)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        MarkupParser parser;
        ASSERT_TRUE(parser.LoadFromText(c.text)) << parser.GetLastErrorMessage();
        EXPECT_EQ(DumpDocument(parser), c.tree);
        EXPECT_EQ(parser.GetLastErrorMessage(), L"");
    }
}

TEST(MarkupParser, RejectsMalformedText) {
    struct Case {
        const wchar_t* text;
        const wchar_t* message;
        const wchar_t* location;
    } const cases[] = {
        {L"text", L"Expected start tag", L"text"},
        {L"<a/>tail", L"Expected start tag", L"tail"},
        {L"<a>text<b/>more</a>", L"Expected start tag", L"more</a>"},
        {L"<a><!-- ends -> here --></a>", L"Expected start tag", L"here --></a>"},
        {L"<a><b><!-- left open", L"Expected start tag", L""},
        {L"<a><b><?pi", L"Expected start tag", L""},
        {L"<", L"Error parsing element name", L""},
        {L"<a", L"Error parsing element name", L""},
        {L"<a><", L"Error parsing element name", L""},
        {L"<a b=\"1\"", L"Expected start-tag closing", L""},
        {L"<a b=\"1\"/ >", L"Expected start-tag closing", L"/ >"},
        {L"<a><b><c>", L"Expected end-tag start", L""},
        {L"<a><b><c>text &am", L"Expected end-tag start", L""},
        {L"<a><b></c></b></a>", L"Unmatched closing tag", L"c></b></a>"},
        {L"<a><b>text</a>", L"Unmatched closing tag", L"a>"},
        {L"<a></ab>", L"Unmatched closing tag", L">"},
        {L"<a></a x>", L"Unmatched closing tag", L">"},
        {L"<a></a", L"Unmatched closing tag", L""},
        {L"<a></", L"Unmatched closing tag", L""},
        {L"<a/></a>", L"Unmatched closing tag", L"a>"},
        {L"</a>", L"Unmatched closing tag", L"a>"},
        {L"<a b>", L"Error while parsing attributes", L">"},
        {L"<a b c=\"1\">", L"Error while parsing attributes", L"c=\"1\">"},
        {L"<a b", L"Error while parsing attributes", L""},
        {L"<my-tag/>", L"Error while parsing attributes", L"/>"},
        {L"<my.tag/>", L"Error while parsing attributes", L"/>"},
        {L"<a b=c>", L"Expected attribute value", L">"},
        {L"<a b='c'>", L"Expected attribute value", L"c'>"},
        {L"<a b=", L"Expected attribute value", L""},
        {L"<a b=x", L"Expected attribute value", L""},
        {L"<a b=\"c", L"Error while parsing attribute string", L""},
        {L"<a b=\"c&quot;", L"Error while parsing attribute string", L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        MarkupParser parser;
        EXPECT_FALSE(parser.LoadFromText(c.text));
        EXPECT_EQ(parser.GetLastErrorMessage(), c.message);
        EXPECT_EQ(parser.GetLastErrorLocation(), c.location);
        EXPECT_FALSE(parser.GetRoot().IsValid());
    }
}

TEST(MarkupParser, ErrorLocationHoldsAtMost49Characters) {
    MarkupParser parser;
    EXPECT_FALSE(parser.LoadFromText(std::wstring(100, L'x').c_str()));
    EXPECT_EQ(parser.GetLastErrorLocation(), std::wstring(49, L'x'));
}

TEST(MarkupParser, WithoutPreservedWhitespaceKeepsOneBlank) {
    MarkupParser parser(false);
    ASSERT_TRUE(parser.LoadFromText(L"<a x=\"a   b\">a \n\t b\nc</a>"));
    EXPECT_EQ(DumpDocument(parser), L"a[x=a b]'a b\nc'");
}

TEST(MarkupParser, ShowsAtMost64Attributes) {
    std::wstring text = L"<a";
    for (int i = 0; i < 70; ++i) text += L" n" + std::to_wstring(i) + L"=\"" + std::to_wstring(i) + L"\"";
    text += L"><b/></a>";
    MarkupParser parser;
    ASSERT_TRUE(parser.LoadFromText(text.c_str()));
    const MarkupNode root = parser.GetRoot();
    ASSERT_EQ(root.GetAttributeCount(), 64);
    EXPECT_STREQ(root.GetAttributeName(63), L"n63");
    EXPECT_STREQ(root.GetAttributeValue(63), L"63");
    EXPECT_STREQ(root.GetAttributeName(64), L"");
    EXPECT_STREQ(root.GetAttributeValue(-1), L"");
    EXPECT_STREQ(root.GetFirstChild().GetName(), L"b");
}

TEST(MarkupParser, LimitsNestingElementsAndSize) {
    const auto open = [](int levels) {
        std::wstring text;
        for (int i = 0; i < levels; ++i) text += L"<a>";
        return text;
    };
    const auto closed = [&](int levels) {
        std::wstring text = open(levels);
        for (int i = 0; i < levels; ++i) text += L"</a>";
        return text;
    };
    const auto flat = [](std::size_t children) {
        std::wstring text = L"<r>";
        for (std::size_t i = 0; i < children; ++i) text += L"<b/>";
        return text;
    };
    struct Case {
        const char* name;
        std::wstring text;
        const wchar_t* message;
    } const cases[] = {
        {"deepest nesting", closed(MarkupParser::kMaxDepth), L""},
        {"nesting past the limit", closed(MarkupParser::kMaxDepth + 1), L"Nesting too deep"},
        {"a million open levels", open(1000000), L"Nesting too deep"},
        {"most elements", flat(MarkupParser::kMaxElements - 1), L""},
        {"one element too many", flat(MarkupParser::kMaxElements), L"Too many elements"},
        {"more text than a skin holds", flat(1100000), L"File too large"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MarkupParser parser;
        EXPECT_EQ(parser.LoadFromText(c.text.c_str()), *c.message == L'\0');
        EXPECT_EQ(parser.GetLastErrorMessage(), c.message);
    }
}

TEST(MarkupParser, ReadsMemoryBlocksByTheirSize) {
    struct Case {
        const char* name;
        std::string bytes;  // all of it is the block
        const wchar_t* tree;
        const wchar_t* message;
        const wchar_t* location;
    } const cases[] = {
        {"utf-8", "<a t=\"\xE7\xA2\xBA\xE5\xAE\x9A\">x</a>", L"a[t=\u78BA\u5B9A]'x'", L"", L""},
        {"byte-order mark kept", "\xEF\xBB\xBF<Window/>", L"", L"Expected start tag", L"\uFEFF<Window/>"},
        {"NUL in content", std::string("<a>x\0y</a>", 10), L"", L"Unexpected NUL character", L""},
        {"NUL in a value", std::string("<a v=\"\0\"/>", 10), L"", L"Unexpected NUL character", L""},
        {"trailing NUL", std::string("<a/>\0", 5), L"", L"Unexpected NUL character", L""},
        {"empty", "", L"", L"", L""},
        {"too large", std::string(MarkupParser::kMaxTextSize + 1, ' '), L"", L"File too large", L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // A heap block of exactly the bytes, so nothing after it can stand in for a terminator.
        const auto block = std::make_unique<char[]>(c.bytes.size());
        c.bytes.copy(block.get(), c.bytes.size());
        MarkupParser parser;
        EXPECT_EQ(parser.LoadFromMem(block.get(), c.bytes.size()), *c.message == L'\0');
        EXPECT_EQ(DumpDocument(parser), c.tree);
        EXPECT_EQ(parser.GetLastErrorMessage(), c.message);
        EXPECT_EQ(parser.GetLastErrorLocation(), c.location);
    }
    const std::string followed = "<a>text</a>garbage";
    MarkupParser parser;
    ASSERT_TRUE(parser.LoadFromMem(followed.data(), 11));
    EXPECT_EQ(DumpDocument(parser), L"a'text'");
}

TEST(MarkupParser, EachLoadReplacesTheDocumentAndTheError) {
    MarkupParser parser;
    ASSERT_TRUE(parser.LoadFromText(L"<a><b/></a>"));
    EXPECT_FALSE(parser.LoadFromText(L"<c><d><e>"));
    EXPECT_FALSE(parser.GetRoot().IsValid());
    EXPECT_EQ(parser.GetLastErrorMessage(), L"Expected end-tag start");
    ASSERT_TRUE(parser.LoadFromText(L"<f/>"));
    EXPECT_EQ(DumpDocument(parser), L"f");
    EXPECT_EQ(parser.GetLastErrorMessage(), L"");
}

// Every prefix of a skin, as the archive would hand over a cut item.
TEST(MarkupParser, SurvivesEveryTruncationOfASkin) {
    const std::string skin = Utf8(
        L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
        L"<!-- main window -->\r\n"
        L"<Window size=\"1340,750\" caption=\"0,0,0,30\" shadowattached=\"true\" textid=\"STRING_TITLE\">\r\n"
        L"  <Class name=\"btn\" value=\"font=&quot;system_14&quot; normaltextcolor=&quot;white&quot;\"/>\r\n"
        L"  <VBox bkcolor=\"bk_main\" padding=\"0,0,0,0\">\r\n"
        L"    <HBox height=\"30\"><Label text=\"\u78BA\u5B9A &amp; &lt;ok&gt;\" width=\"auto\"/>\r\n"
        L"      <Control/><Button class=\"btn\" name=\"btn_close\"/></HBox>\r\n"
        L"    <TabBox name=\"tab_assets\"><Box><RichEdit text=\"a  b\">  text\r\n</RichEdit></Box></TabBox>\r\n"
        L"    <Button name=\"btn_game\"><Event type=\"buttondown mousemove\" receiver=\"a b\"/></Button>\r\n"
        L"  </VBox>\r\n"
        L"</Window>\r\n");
    MarkupParser parser;
    for (std::size_t size = 0; size <= skin.size(); ++size) {
        const auto block = std::make_unique<char[]>(size);
        skin.copy(block.get(), size);
        if (parser.LoadFromMem(block.get(), size)) {
            DumpDocument(parser);
        } else {
            EXPECT_NE(parser.GetLastErrorMessage(), L"") << size;
        }
    }
    ASSERT_TRUE(parser.LoadFromMem(skin.data(), skin.size())) << parser.GetLastErrorMessage();
    EXPECT_STREQ(parser.GetRoot().GetFirstChild().GetNextSibling().GetName(), L"VBox");
}

class MarkupFile : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH + 1] = {};
        ::GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"markup_parser_test_" + std::to_wstring(::GetCurrentProcessId()) + L"\\";
        ASSERT_TRUE(CreateDirectoriesW(folder_));
    }
    void TearDown() override { DeleteFolderRecursiveW(folder_); }

    std::wstring Write(const wchar_t* name, const std::string& bytes) {
        const std::wstring path = folder_ + name;
        EXPECT_TRUE(WriteStringToFileW(path, bytes));
        return path;
    }

    std::wstring folder_;
};

TEST_F(MarkupFile, LoadsFilesUpToTheSizeLimit) {
    const std::size_t limit = MarkupParser::kMaxTextSize;
    const std::string largest = "<a>" + std::string(limit - 7, 'x') + "</a>";
    struct Case {
        const wchar_t* name;
        std::string bytes;
        const wchar_t* message;
    } const cases[] = {
        {L"bom.xml", "\xEF\xBB\xBF<Window/>", L""},
        {L"largest.xml", largest, L""},
        {L"too_large.xml", largest + " ", L"File too large"},
        {L"empty.xml", "", L"File is empty"},
        {L"broken.xml", "<a b>", L"Error while parsing attributes"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MarkupParser parser;
        EXPECT_EQ(parser.LoadFromFile(Write(c.name, c.bytes)), *c.message == L'\0');
        EXPECT_EQ(parser.GetLastErrorMessage(), c.message);
    }
    MarkupParser parser;
    EXPECT_FALSE(parser.LoadFromFile(folder_ + L"missing.xml"));
    EXPECT_EQ(parser.GetLastErrorMessage(), L"Error opening file");
    EXPECT_EQ(parser.GetLastErrorLocation(), L"");
}

TEST_F(MarkupFile, TakesRelativePathsUnderTheResourceRoot) {
    Write(L"main.xml", "<Window><Box/></Window>");
    ui::GlobalManager::Startup(folder_, nullptr, false, L"", L"en");
    MarkupParser parser;
    ASSERT_TRUE(parser.LoadFromFile(L"main.xml")) << parser.GetLastErrorMessage();
    EXPECT_EQ(DumpDocument(parser), L"Window(Box)");
    ui::GlobalManager::Shutdown();
}

}  // namespace
