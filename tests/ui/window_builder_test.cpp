#include "ui/window_builder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/ui/image_files.h"
#include "tests/ui/window_test_support.h"
#include "ui/box.h"
#include "ui/control.h"
#include "ui/global_manager.h"
#include "ui/hbox.h"
#include "ui/vbox.h"
#include "ui/window.h"

namespace {

using image_files::TempFolder;
using image_files::WriteBytes;

// The tree below control as text: "Class#name(children, ...)", the name part only for named
// controls, "?" for a class outside the table.
std::wstring Describe(const ui::Control* control) {
    if (!control) return L"";
    std::wstring text = ui::GetControlClassName(*control);
    if (text.empty()) text = L"?";
    if (!control->GetName().empty()) text += L"#" + control->GetName();
    const auto* box = dynamic_cast<const ui::Box*>(control);
    if (!box || box->GetCount() == 0) return text;
    text += L"(";
    for (int i = 0; i < box->GetCount(); ++i) {
        if (i > 0) text += L",";
        text += Describe(box->GetItemAt(static_cast<std::size_t>(i)));
    }
    return text + L")";
}

struct Built {
    std::unique_ptr<ui::Control> root;
    std::wstring error;
};

Built BuildText(const std::wstring& xml, ui::Window* window = nullptr, ui::CreateControlCallback callback = {}) {
    ui::WindowBuilder builder;
    Built built;
    built.root.reset(builder.Create(xml.c_str(), std::move(callback), window));
    built.error = builder.GetLastErrorMessage();
    return built;
}

// A control of a class the framework does not know, counting its instances.
class CountedControl : public ui::Control {
public:
    CountedControl() { ++alive; }
    ~CountedControl() override { --alive; }
    static inline int alive = 0;
};

TEST(WindowBuilder, BuildsControlsByClassNameInDocumentOrder) {
    struct Case {
        const wchar_t* xml;
        const wchar_t* tree;
    } const cases[] = {
        {L"<Window><VBox name=\"root\"><HBox name=\"bar\"><Control name=\"a\"/><Control/></HBox>"
         L"<TileBox><Box/></TileBox></VBox></Window>",
         L"VBox#root(HBox#bar(Control#a,Control),TileBox(Box))"},
        // Class names are exact: a lower-case name is not the class, and goes with its subtree.
        {L"<Window><VBox><vbox><Control name=\"lost\"/></vbox><Control name=\"kept\"/></VBox></Window>",
         L"VBox(Control#kept)"},
        // Resource elements inside boxes build nothing.
        {L"<Window><VBox><Image/><Font/><Class name=\"x\"/><TextColor/><Control/></VBox></Window>", L"VBox(Control)"},
        // Only boxes hold children: a control element inside a control ends that level, the
        // levels above go on.
        {L"<Window><VBox><Control name=\"a\"><Control name=\"b\"/><Control name=\"c\"/></Control>"
         L"<Control name=\"d\"/></VBox></Window>",
         L"VBox(Control#a,Control#d)"},
        // Without a parent the first top-level control is the result; resource elements and an
        // event with no control to hold it come before it without harm.
        {L"<Window><Class name=\"x\"/><Event type=\"buttondown\" receiver=\"a\"/><HBox name=\"first\"/>"
         L"<VBox name=\"second\"/></Window>",
         L"HBox#first"},
        // The root's own name does not matter, and it never becomes a control.
        {L"<Anything><Box name=\"top\"/></Anything>", L"Box#top"},
        // A root with only resource children builds nothing.
        {L"<Window><Font/><Class name=\"x\"/><Image/><TextColor/></Window>", L""},
        {L"<Window/>", L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.xml);
        const Built built = BuildText(c.xml);
        EXPECT_EQ(Describe(built.root.get()), c.tree);
        EXPECT_EQ(built.error, L"");
    }
}

TEST(WindowBuilder, TopLevelControlsWithoutParentAreNotKept) {
    const auto create = [](const std::wstring& name) -> ui::Control* {
        return name == L"Counted" ? new CountedControl : nullptr;
    };
    {
        const Built built = BuildText(L"<Window><Counted name=\"a\"/><Counted name=\"b\"/><Counted/></Window>",
                                      nullptr, create);
        ASSERT_TRUE(built.root);
        EXPECT_EQ(built.root->GetName(), L"a");
        EXPECT_EQ(CountedControl::alive, 1);
    }
    EXPECT_EQ(CountedControl::alive, 0);
}

TEST(WindowBuilder, AppliesAttributesInDocumentOrderWithClasses) {
    ui::GlobalManager::AddClass(L"builder_test_wide", L"width=\"20\" height=\"5\"");
    ui::Window window;
    const Built built = BuildText(
        L"<Window><Class name=\"builder_test_tall\" value=\"height=&quot;7&quot;\"/>"
        L"<Class name=\"builder_test_wide\" width=\"99\"/>"
        L"<VBox><Control name=\"before\" class=\"builder_test_wide\" width=\"10\"/>"
        L"<Control name=\"after\" width=\"10\" class=\"builder_test_wide\"/>"
        L"<Control name=\"window_class\" class=\"builder_test_tall\"/></VBox></Window>",
        &window);
    ASSERT_TRUE(built.root);
    const auto* box = dynamic_cast<ui::Box*>(built.root.get());
    ASSERT_TRUE(box);
    // A class takes effect where it stands; the global table wins over the window's.
    EXPECT_EQ(box->GetItemAt(0)->GetFixedWidth(), 10);
    EXPECT_EQ(box->GetItemAt(1)->GetFixedWidth(), 20);
    EXPECT_EQ(box->GetItemAt(1)->GetFixedHeight(), 5);
    EXPECT_EQ(box->GetItemAt(2)->GetFixedHeight(), 7);
    EXPECT_EQ(window.GetClassAttributes(L"builder_test_tall"), L"height=\"7\"");
    EXPECT_EQ(box->GetWindow(), &window);
    EXPECT_EQ(box->GetItemAt(2)->GetWindow(), &window);
    ui::GlobalManager::RemoveAllClasses();
}

TEST(WindowBuilder, AsksTheGlobalCallbackThenItsOwnForUnknownNames) {
    std::vector<std::wstring> asked;
    ui::GlobalManager::SetCreateControlCallback([&asked](const std::wstring& name) -> ui::Control* {
        asked.push_back(L"global:" + name);
        return name == L"GlobalKind" ? new CountedControl : nullptr;
    });
    const auto own = [&asked](const std::wstring& name) -> ui::Control* {
        asked.push_back(L"own:" + name);
        return name == L"OwnKind" ? new ui::HBox : nullptr;
    };
    const Built built = BuildText(
        L"<Window><VBox><GlobalKind name=\"g\"/><OwnKind name=\"o\"><Control/></OwnKind>"
        L"<Nobody><Control name=\"skipped\"/></Nobody></VBox></Window>",
        nullptr, own);
    ui::GlobalManager::SetCreateControlCallback(nullptr);
    EXPECT_EQ(Describe(built.root.get()), L"VBox(?#g,HBox#o(Control))");
    EXPECT_EQ(asked, (std::vector<std::wstring>{L"global:GlobalKind", L"global:OwnKind", L"own:OwnKind",
                                                L"global:Nobody", L"own:Nobody"}));
}

TEST(WindowBuilder, BuildsIntoABox) {
    ui::Window window;
    ui::VBox box;
    box.SetWindow(&window);
    ui::WindowBuilder builder;
    ui::Control* result = builder.Create(
        L"<Window><Class name=\"x\"/><HBox name=\"ignored_kind\" width=\"50\" height=\"auto\">"
        L"<Control name=\"one\"/><Box name=\"two\"/></HBox><Control name=\"not_built\"/></Window>",
        {}, &window, nullptr, &box);
    EXPECT_EQ(result, &box);
    // The element's attributes go to the box, its children into it; its siblings are not built.
    EXPECT_EQ(Describe(&box), L"VBox#ignored_kind(Control#one,Box#two)");
    EXPECT_EQ(box.GetFixedWidth(), 50);
    EXPECT_EQ(box.GetFixedHeight(), ui::kSizeAuto);
    EXPECT_EQ(box.GetItemAt(0)->GetWindow(), &window);
}

TEST(WindowBuilder, ReportsLoadErrors) {
    struct Case {
        const wchar_t* xml;
        const wchar_t* error;
    } const cases[] = {
        {L"<Window><VBox></Window>", L"Unmatched closing tag"},
        {L"<Window><VBox name=\"a></VBox></Window>", L"Error while parsing attribute string"},
        {L"", L"Error opening file"},
        {L"no_such_folder\\no_such_skin.xml", L"Error opening file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.xml);
        const Built built = BuildText(c.xml);
        EXPECT_FALSE(built.root);
        EXPECT_EQ(built.error.rfind(c.error, 0), 0u) << built.error;
    }
}

// --- the window element ----------------------------------------------------------------------

TEST(WindowBuilderWindowElement, AppliesWindowSettingsInDocumentOrder) {
    struct Case {
        const wchar_t* attributes;
        SIZE initial;
    } const cases[] = {
        {L"size=\"1340,750\" caption=\"0,0,0,30\"", {1368, 778}},
        {L"shadowattached=\"false\" size=\"504,320\"", {504, 320}},
        // The size was taken while the shadow was still attached.
        {L"size=\"504,320\" shadowattached=\"false\"", {532, 348}},
        // Only "true" is true.
        {L"shadowattached=\"True\" size=\"504,320\"", {504, 320}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.attributes);
        window_test::TestWindow window(L"UiWindowBuilderTest");
        ASSERT_TRUE(window.Open(true, RECT{0, 0, 100, 100}));
        const Built built = BuildText(L"<Window " + std::wstring(c.attributes) + L"><Box/></Window>", &window);
        ASSERT_TRUE(built.root);
        EXPECT_EQ(window.GetInitSize().cx, c.initial.cx);
        EXPECT_EQ(window.GetInitSize().cy, c.initial.cy);
    }
}

TEST(WindowBuilderWindowElement, AnIncludedWindowElementAppliesAgain) {
    TempFolder folder;
    const std::wstring page = folder.Child(L"page.xml");
    WriteBytes(page, "<Window size=\"100,50\"><Class name=\"page\" height=\"9\"/><Control/></Window>");
    window_test::TestWindow window(L"UiWindowBuilderTest");
    ASSERT_TRUE(window.Open(true, RECT{0, 0, 100, 100}));
    const Built built =
        BuildText(L"<Window size=\"300,200\"><VBox><Include source=\"" + page + L"\"/></VBox></Window>", &window);
    EXPECT_EQ(Describe(built.root.get()), L"VBox(Control)");
    EXPECT_EQ(window.GetInitSize().cx, 128);
    EXPECT_EQ(window.GetInitSize().cy, 78);
    EXPECT_EQ(window.GetClassAttributes(L"page"), L"height=\"9\"");
}

TEST(WindowBuilderWindowElement, OnlyAWindowWithAHandleTakesSettings) {
    ui::Window scratch;
    BuildText(L"<Window size=\"300,200\"><Class name=\"k\" width=\"4\"/><Box/></Window>", &scratch);
    EXPECT_EQ(scratch.GetInitSize().cx, 0);
    EXPECT_EQ(scratch.GetClassAttributes(L"k"), L"width=\"4\"");
}

// --- Include ----------------------------------------------------------------------------

class WindowBuilderInclude : public ::testing::Test {
protected:
    // Writes a skin file into the folder; its path.
    std::wstring Write(const std::wstring& name, const std::string& xml) {
        const std::wstring path = folder_.Child(name);
        WriteBytes(path, xml);
        return path;
    }
    static std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }
    // An Include element of source.
    static std::wstring Include(const std::wstring& source, const std::wstring& more = L"") {
        return L"<Include source=\"" + source + L"\"" + more + L"/>";
    }

    TempFolder folder_;
};

TEST_F(WindowBuilderInclude, BuildsIncludedFilesInPlace) {
    const std::wstring pair = Write(L"pair.xml", "<Window><Control name=\"x\"/><Box name=\"y\"/></Window>");
    const std::wstring inner = Write(L"inner.xml", "<Window><Control name=\"deep\"/></Window>");
    const std::wstring outer = Write(
        L"outer.xml", "<Window><HBox name=\"outer\">" + Narrow(Include(inner, L" count=\"2\"")) + "</HBox></Window>");
    struct Case {
        std::wstring include;
        const wchar_t* tree;
    } const cases[] = {
        {Include(pair), L"VBox(Control#a,Control#x,Box#y,Control#z)"},
        {Include(pair, L" count=\"3\""),
         L"VBox(Control#a,Control#x,Box#y,Control#x,Box#y,Control#x,Box#y,Control#z)"},
        {Include(pair, L" count=\"0\""), L"VBox(Control#a,Control#z)"},
        {Include(pair, L" count=\"-4\""), L"VBox(Control#a,Control#z)"},
        {L"<Include count=\"2\"/>", L"VBox(Control#a,Control#z)"},
        {L"<Include/>", L"VBox(Control#a,Control#z)"},
        {Include(folder_.Child(L"missing.xml")), L"VBox(Control#a,Control#z)"},
        // An include inside an included file.
        {Include(outer), L"VBox(Control#a,HBox#outer(Control#deep,Control#deep),Control#z)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.include);
        const Built built =
            BuildText(L"<Window><VBox><Control name=\"a\"/>" + c.include + L"<Control name=\"z\"/></VBox></Window>");
        EXPECT_EQ(Describe(built.root.get()), c.tree);
        EXPECT_EQ(built.error, L"");
    }
}

TEST_F(WindowBuilderInclude, TopLevelIncludeWithoutParentGivesTheResult) {
    const std::wstring pair = Write(L"pair.xml", "<Window><HBox name=\"x\"/><Box name=\"y\"/></Window>");
    const Built built = BuildText(L"<Window>" + Include(pair, L" count=\"2\"") + L"<VBox name=\"after\"/></Window>");
    EXPECT_EQ(Describe(built.root.get()), L"HBox#x");
}

TEST_F(WindowBuilderInclude, LimitsEndTheBuildWithAnError) {
    const std::wstring self = folder_.Child(L"self.xml");
    Write(L"self.xml", "<Window><VBox>" + Narrow(Include(self)) + "</VBox></Window>");
    const std::wstring leaf = Write(L"leaf.xml", "<Window><Control/></Window>");
    const std::wstring many = Write(L"many.xml", "<Window><VBox>" + Narrow(Include(leaf, L" count=\"600\"")) +
                                                     "</VBox></Window>");
    struct Case {
        std::wstring xml;
        std::wstring error;
    } const cases[] = {
        {L"<Window><VBox>" + Include(self) + L"</VBox></Window>", L"Include nested deeper than 16 files: " + self},
        {L"<Window><VBox>" + Include(leaf, L" count=\"2000000000\"") + L"</VBox></Window>",
         L"Skin includes more than 1000 files"},
        // The count is of the whole build, nested files included.
        {L"<Window><VBox>" + Include(many, L" count=\"2\"") + L"</VBox></Window>",
         L"Skin includes more than 1000 files"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.xml);
        const Built built = BuildText(c.xml);
        EXPECT_FALSE(built.root);
        EXPECT_EQ(built.error, c.error);
    }
    // The limits are per build: the same builder builds a sound skin again.
    ui::WindowBuilder builder;
    EXPECT_FALSE(builder.Create((L"<Window><VBox>" + Include(self) + L"</VBox></Window>").c_str(), {}, nullptr));
    std::unique_ptr<ui::Control> sound(builder.Create((L"<Window><VBox>" + Include(leaf, L" count=\"3\"") +
                                                       L"</VBox></Window>").c_str(), {}, nullptr));
    EXPECT_EQ(Describe(sound.get()), L"VBox(Control,Control,Control)");
}

// --- events -----------------------------------------------------------------------------

class WindowBuilderEvents : public ::testing::Test {
protected:
    // A box "host" holding the event elements, a control "child" in it, and receivers "a", "b"
    // beside it, in a window so the receivers are found by name.
    void Build(const std::wstring& events, const std::wstring& childEvents = L"") {
        ui::WindowBuilder builder;
        const std::wstring xml = L"<Window><VBox name=\"top\"><VBox name=\"host\">" + events +
                                 L"<Control name=\"child\">" + childEvents +
                                 L"</Control><Control name=\"c\"/></VBox><Control name=\"a\"/>"
                                 L"<Control name=\"b\"/></VBox></Window>";
        root_.reset(builder.Create(xml.c_str(), {}, &window_));
        ASSERT_TRUE(root_);
    }
    ui::Control* Find(const std::wstring& name) { return window_.FindControl(name); }
    // The widths of a, b and c, then set back to stretch.
    std::vector<int> TakeWidths() {
        std::vector<int> widths;
        for (const wchar_t* name : {L"a", L"b", L"c"}) {
            widths.push_back(Find(name)->GetFixedWidth());
            Find(name)->SetFixedWidth(ui::kSizeStretch);
        }
        return widths;
    }
    static std::wstring Event(const std::wstring& element, const std::wstring& type, const std::wstring& receiver) {
        return L"<" + element + L" type=\"" + type + L"\" receiver=\"" + receiver +
               L"\" applyattribute=\"width=&quot;33&quot;\"/>";
    }

    ui::Window window_;
    std::unique_ptr<ui::Control> root_;
};

TEST_F(WindowBuilderEvents, EventAppliesTheListToEveryReceiverForEveryType) {
    Build(Event(L"Event", L" buttondown  mousemove", L"a  b"));
    ui::Control* host = Find(L"host");
    ui::Control::SendEvent(host, ui::kEventMouseButtonDown);
    EXPECT_EQ(TakeWidths(), (std::vector<int>{33, 33, -1}));
    ui::Control::SendEvent(host, ui::kEventMouseMove);
    EXPECT_EQ(TakeWidths(), (std::vector<int>{33, 33, -1}));
    ui::Control::SendEvent(host, ui::kEventMouseButtonUp);
    EXPECT_EQ(TakeWidths(), (std::vector<int>{-1, -1, -1}));
}

TEST_F(WindowBuilderEvents, ReceiverBelowTheControlByRelativeName) {
    Build(Event(L"Event", L"setfocus", L"./c .\\a"));
    ui::Control::SendEvent(Find(L"host"), ui::kEventSetFocus);
    // "a" is not below the host.
    EXPECT_EQ(TakeWidths(), (std::vector<int>{-1, -1, 33}));
}

TEST_F(WindowBuilderEvents, BubbledEventOnlyOnBoxes) {
    Build(Event(L"BubbledEvent", L"select", L"a"), Event(L"BubbledEvent", L"select", L"b"));
    // The child's own element binds nothing: it is not a box. The host hears its child's event.
    ui::Control::SendEvent(Find(L"child"), ui::kEventSelect);
    EXPECT_EQ(TakeWidths(), (std::vector<int>{33, -1, -1}));
}

TEST_F(WindowBuilderEvents, WithoutReceiversOrKnownTypesNothingHappens) {
    // Words outside the table (there is none for the click) bind under an event never sent.
    Build(Event(L"Event", L"buttondown", L"") + Event(L"Event", L"click Buttondown", L"a"));
    for (int type : {ui::kEventMouseButtonDown, ui::kEventClick}) {
        ui::Control::SendEvent(Find(L"host"), type);
    }
    EXPECT_EQ(TakeWidths(), (std::vector<int>{-1, -1, -1}));
}

// --- global.xml ---------------------------------------------------------------------------

class WindowBuilderGlobal : public ::testing::Test {
protected:
    void TearDown() override {
        ui::GlobalManager::RemoveAllTextColors();
        ui::GlobalManager::RemoveAllClasses();
        ui::GlobalManager::SetDefaultTextColor(L"textdefaultcolor");
        ui::GlobalManager::SetDefaultDisabledTextColor(L"textdefaultdisablecolor");
    }
    void BuildGlobal(const std::wstring& xml) {
        ui::Window scratch;
        EXPECT_FALSE(BuildText(xml, &scratch).root);
    }
};

TEST_F(WindowBuilderGlobal, ReadsColoursAndDefaultColourNames) {
    BuildGlobal(
        L"<Global defaultfontcolor=\"ink\" disabledfontcolor=\"ash\" other=\"x\">"
        L"<TextColor name=\"half_red\" value=\"#80ff0000\"/>"
        L"<TextColor name=\"kept\" value=\"#ff010203\"/><TextColor name=\"kept\" value=\"\"/>"
        L"<TextColor name=\"replaced\" value=\"#ff010203\"/><TextColor value=\"#ff445566\" name=\"replaced\"/>"
        L"<TextColor name=\"\" value=\"#ffffffff\"/><Image name=\"i\"/></Global>");
    EXPECT_EQ(ui::GlobalManager::GetTextColor(L"half_red"), 0x80FF0000u);
    // A colour entry without a value is skipped.
    EXPECT_EQ(ui::GlobalManager::GetTextColor(L"kept"), 0xFF010203u);
    EXPECT_EQ(ui::GlobalManager::GetTextColor(L"replaced"), 0xFF445566u);
    EXPECT_EQ(ui::GlobalManager::GetDefaultTextColor(), L"ink");
    EXPECT_EQ(ui::GlobalManager::GetDefaultDisabledTextColor(), L"ash");
}

TEST_F(WindowBuilderGlobal, ComposesClassAttributeLists) {
    struct Case {
        const wchar_t* element;
        const wchar_t* list;
    } const cases[] = {
        {L"<Class name=\"p\" _value=\"0\" height=\"3\"/>", L"value=\"0\" height=\"3\""},
        {L"<Class name=\"p\" value=\"width=&quot;10&quot;\"/>", L"width=\"10\""},
        {L"<Class value=\"  width=&quot;1&quot;\" height=\"2\" name=\"p\"/>", L"width=\"1\" height=\"2\""},
        {L"<Class name=\"p\" height=\"2\" value=\"x\"/>", L"height=\"2\"x"},
        {L"<Class name=\"p\"/>", L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.element);
        BuildGlobal(L"<Global><Class name=\"p\" value=\"old\"/>" + std::wstring(c.element) + L"</Global>");
        EXPECT_EQ(ui::GlobalManager::GetClassAttributes(L"p"), c.list);
    }
}

TEST_F(WindowBuilderGlobal, AddsFontsThatNameAFace) {
    ui::GlobalManager::StartupRender();
    BuildGlobal(
        L"<Global><Font id=\"builder_plain\" name=\"Arial\"/>"
        L"<Font id=\"builder_styled\" name=\"Arial\" size=\"20\" bold=\"true\" italic=\"true\" underline=\"true\""
        L" default=\"true\" size=\"18\"/>"
        L"<Font id=\"builder_faceless\" size=\"30\"/><Font id=\"builder_case\" name=\"Arial\" bold=\"True\"/>"
        L"</Global>");
    const ui::FontInfo* plain = ui::GlobalManager::GetFont(L"builder_plain");
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->size, 12);
    EXPECT_FALSE(plain->bold || plain->italic || plain->underline);
    // A later attribute of the same name wins.
    const ui::FontInfo* styled = ui::GlobalManager::GetFont(L"builder_styled");
    ASSERT_TRUE(styled);
    EXPECT_EQ(styled->size, 18);
    EXPECT_TRUE(styled->bold && styled->italic && styled->underline);
    EXPECT_EQ(ui::GlobalManager::GetFont(L""), styled);
    EXPECT_FALSE(ui::GlobalManager::GetFont(L"builder_faceless"));
    ASSERT_TRUE(ui::GlobalManager::GetFont(L"builder_case"));
    EXPECT_FALSE(ui::GlobalManager::GetFont(L"builder_case")->bold);
    ui::GlobalManager::ShutdownRender();
}

TEST_F(WindowBuilderGlobal, NothingWithoutAWindow) {
    EXPECT_FALSE(BuildText(L"<Global defaultfontcolor=\"ink\"><TextColor name=\"c\" value=\"#ff000001\"/></Global>")
                     .root);
    EXPECT_EQ(ui::GlobalManager::GetDefaultTextColor(), L"textdefaultcolor");
    EXPECT_EQ(ui::GlobalManager::GetTextColor(L"c"), 0u);
}

}  // namespace
