#include "ui/box.h"

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/ui/dpi_scope.h"
#include "tests/ui/support/render_snapshot.h"
#include "ui/global_manager.h"
#include "ui/hbox.h"
#include "ui/render/render_context.h"
#include "ui/render/render_factory.h"
#include "ui/tile_layout.h"
#include "ui/window.h"

namespace {

using ui::Box;
using ui::Control;
using ui::EventArgs;

// A control that counts its deaths, so a missing or second delete shows.
class Probe : public Control {
public:
    explicit Probe(int* deaths) : deaths_(deaths) {}
    ~Probe() override { ++*deaths_; }

private:
    int* deaths_;
};

// A box that notes when its default handling runs.
class RecordingBox : public Box {
public:
    explicit RecordingBox(std::vector<std::string>* log) : Box(nullptr), log_(log) {}
    void HandleEvent(EventArgs* args) override {
        log_->push_back("default");
        Box::HandleEvent(args);
    }

private:
    std::vector<std::string>* log_;
};

// A handler that notes that it ran and answers result.
ui::EventCallback Note(std::vector<std::string>& log, std::string what, bool result = true) {
    return [&log, what = std::move(what), result](EventArgs*) {
        log.push_back(what);
        return result;
    };
}

// Hands a new control to a box, which owns it from then on.
template <class T, class... Args>
T* AddNew(Box& box, Args&&... args) {
    auto control = std::make_unique<T>(std::forward<Args>(args)...);
    T* raw = control.get();
    if (box.Add(raw)) control.release();
    return raw;
}

TEST(BoxItems, AddAtTakesIndicesUpToTheCount) {
    Box box(nullptr);
    int deaths = 0;
    AddNew<Probe>(box, &deaths);
    auto appended = std::make_unique<Probe>(&deaths);
    EXPECT_FALSE(box.AddAt(appended.get(), 2));
    EXPECT_TRUE(box.AddAt(appended.get(), 1));
    Control* second = appended.release();
    EXPECT_EQ(box.GetItemAt(1), second);
    EXPECT_EQ(box.GetItemIndex(second), 1);
    EXPECT_EQ(box.GetItemAt(2), nullptr);
    EXPECT_FALSE(box.AddAt(nullptr, 0));
    EXPECT_EQ(box.GetCount(), 2);
}

TEST(BoxItems, AddRefusesWhatWouldBeDeletedTwiceOrLoop) {
    int deaths = 0;
    {
        auto outer = std::make_unique<Box>(nullptr);
        Box* inner = AddNew<Box>(*outer, nullptr);
        Probe* child = AddNew<Probe>(*inner, &deaths);
        EXPECT_FALSE(inner->Add(child)) << "already a child";
        EXPECT_FALSE(inner->AddAt(child, 0)) << "already a child, at another place";
        EXPECT_FALSE(inner->Add(inner)) << "itself";
        EXPECT_FALSE(inner->Add(outer.get())) << "its own parent";
        EXPECT_EQ(inner->GetCount(), 1);

        // A control of another box moves, alive, and only its new box deletes it.
        Box other(nullptr);
        EXPECT_TRUE(other.Add(child));
        EXPECT_EQ(inner->GetCount(), 0);
        EXPECT_EQ(child->GetParent(), &other);
        outer.reset();
        EXPECT_EQ(deaths, 0);
    }
    EXPECT_EQ(deaths, 1);
}

TEST(BoxItems, RemoveDeletesOwnedChildrenAtOnceWithoutAWindow) {
    int deaths = 0;
    Box box(nullptr);
    Probe* child = AddNew<Probe>(box, &deaths);
    EXPECT_TRUE(box.Remove(child));
    EXPECT_EQ(deaths, 1);
    EXPECT_EQ(box.GetCount(), 0);
    EXPECT_FALSE(box.Remove(child));
}

TEST(BoxItems, RemoveWithoutAutoDestroyDetachesTheChild) {
    int deaths = 0;
    auto kept = std::make_unique<Probe>(&deaths);
    {
        Box box(nullptr);
        box.SetAutoDestroy(false);
        ASSERT_TRUE(box.Add(kept.get()));
        EXPECT_TRUE(box.Remove(kept.get()));
        EXPECT_EQ(kept->GetParent(), nullptr);
        ASSERT_TRUE(box.Add(kept.get()));
    }
    // The box did not own it, and it no longer points at the dead box.
    EXPECT_EQ(deaths, 0);
    EXPECT_EQ(kept->GetParent(), nullptr);
    Box next(nullptr);
    EXPECT_TRUE(next.Add(kept.release()));
}

TEST(BoxItems, WindowDeletesARemovedChildLater) {
    int deaths = 0;
    ui::Window window;
    auto* root = new Box(nullptr);
    ASSERT_TRUE(window.AttachRoot(root));
    Probe* child = AddNew<Probe>(*root, &deaths);
    EXPECT_TRUE(root->Remove(child));
    EXPECT_EQ(deaths, 0) << "alive until the window's delayed delete";
    EXPECT_EQ(child->GetParent(), nullptr);
    window.DeleteDelayedControls();
    EXPECT_EQ(deaths, 1);
}

TEST(BoxItems, AddedControlsAreFoundByNameInTheWindow) {
    ui::Window window;
    auto* root = new Box(nullptr);
    ASSERT_TRUE(window.AttachRoot(root));
    Box* inner = AddNew<Box>(*root, nullptr);
    auto named = std::make_unique<Control>();
    named->SetName(L"deep");
    Control* deep = named.get();
    ASSERT_TRUE(inner->Add(named.release()));
    EXPECT_EQ(window.FindControl(std::wstring(L"deep")), deep);
    EXPECT_EQ(deep->GetWindow(), &window);

    // Taken out without being deleted, it is forgotten by the window it left.
    inner->SetAutoDestroy(false);
    ASSERT_TRUE(inner->Remove(deep));
    EXPECT_EQ(window.FindControl(std::wstring(L"deep")), nullptr);
    std::unique_ptr<Control> owned(deep);
}

TEST(BoxEvents, BubbledHandlerReturningFalseStopsTheRest) {
    for (const bool handlerResult : {true, false}) {
        SCOPED_TRACE(handlerResult);
        std::vector<std::string> log;
        RecordingBox outer(&log);
        auto* inner = AddNew<RecordingBox>(outer, &log);
        Control* child = AddNew<Control>(*inner);
        inner->BubbledEventMapAt(ui::kEventClick).push_back(Note(log, "bubbled", handlerResult));
        inner->AttachXmlBubbledEvent(ui::kEventClick, Note(log, "xml"));
        outer.BubbledEventMapAt(ui::kEventAll).push_back([&](EventArgs* args) {
            log.push_back(args->sender == child ? "outer saw the child's click" : "outer saw another sender");
            return false;
        });
        Control::SendEvent(child, ui::kEventClick);
        const std::vector<std::string> all{"bubbled", "xml", "default", "outer saw the child's click"};
        EXPECT_EQ(log, handlerResult ? all : std::vector<std::string>{"bubbled"});
    }
}

TEST(BoxEvents, HandlersMayChangeTheHandlerListsWhileTheyRun) {
    Box box(nullptr);
    Control* child = AddNew<Control>(box);
    int calls = 0;
    int lateCalls = 0;
    std::vector<ui::EventCallback>& clicks = box.BubbledEventMapAt(ui::kEventClick);
    clicks.push_back([&](EventArgs*) {
        ++calls;
        box.BubbledEventMapAt(ui::kEventClick).clear();
        for (int i = 0; i < 100; ++i) {
            box.BubbledEventMapAt(ui::kEventClick).push_back([&](EventArgs*) { return ++lateCalls > 0; });
        }
        return true;
    });
    clicks.push_back([&](EventArgs*) { return ++calls > 0; });
    Control::SendEvent(child, ui::kEventClick);
    EXPECT_EQ(calls, 2) << "the list as it was when the event came";
    EXPECT_EQ(lateCalls, 0);
    Control::SendEvent(child, ui::kEventClick);
    EXPECT_EQ(lateCalls, 100);
}

TEST(BoxEvents, DestroyingTheBoxInAHandlerStopsTheDispatch) {
    std::vector<std::string> log;
    std::unique_ptr<Box> box = std::make_unique<RecordingBox>(&log);
    box->BubbledEventMapAt(ui::kEventClick).push_back([&](EventArgs*) {
        log.push_back("destroys the box");
        box.reset();
        return true;
    });
    box->BubbledEventMapAt(ui::kEventClick).push_back(Note(log, "same list, after"));
    box->BubbledEventMapAt(ui::kEventAll).push_back(Note(log, "catch-all"));
    box->AttachXmlBubbledEvent(ui::kEventClick, Note(log, "xml"));
    Control::SendEvent(box.get(), ui::kEventClick);
    EXPECT_EQ(box, nullptr);
    EXPECT_EQ(log, std::vector<std::string>{"destroys the box"});
}

struct HitCase {
    const char* name;
    bool mouseChild;
    bool childFloats;
    RECT childRect;
    POINT point;
    const char* want;
};

TEST(BoxHitTest, FindsChildrenOnlyWhereTheBoxLetsThem) {
    const HitCase cases[] = {
        {"a child under the point", true, false, {20, 20, 60, 60}, {30, 30}, "child"},
        {"mouse children disabled: the box answers", false, false, {20, 20, 60, 60}, {30, 30}, "box"},
        {"a child outside the padded area is not taken", true, false, {0, 0, 8, 8}, {4, 4}, "box"},
        {"unless it floats", true, true, {0, 0, 8, 8}, {4, 4}, "child"},
        {"outside the box: nothing", true, false, {20, 20, 60, 60}, {150, 30}, "none"},
    };
    for (const HitCase& c : cases) {
        SCOPED_TRACE(c.name);
        Box box(nullptr);
        box.SetAttribute(L"padding", L"10,10,10,10");
        box.SetMouseChildEnabled(c.mouseChild);
        Control* child = AddNew<Control>(box);
        child->SetAttribute(L"float", c.childFloats ? L"true" : L"false");
        box.SetPos({0, 0, 100, 100});
        child->SetPos(c.childRect);
        POINT point = c.point;
        Control* found = box.FindControl(&ui::Window::HitTestCallback, &point,
                                         ui::kFindVisible | ui::kFindHitTest | ui::kFindTopFirst);
        EXPECT_STREQ(found == child ? "child" : found == &box ? "box" : found ? "other" : "none", c.want);
    }
}

TEST(BoxLayout, EmptyAutoWidthBoxMeasuresItsPadding) {
    Box plain(nullptr);
    ui::HBox line;
    for (Box* box : {&plain, static_cast<Box*>(&line)}) {
        box->SetAttribute(L"width", L"auto");
        box->SetAttribute(L"padding", L"3,1,4,1");
    }
    EXPECT_EQ(plain.EstimateSize({500, 500}).cx, ui::kNoChildrenSize + 7);
    EXPECT_EQ(line.EstimateSize({500, 500}).cx, 7);
}

TEST(BoxLayout, SpacingAttributesScaleButSentinelsDoNot) {
    DpiScope dpi(150);
    ui::TileLayout* tiles = new ui::TileLayout;
    Box box(tiles);
    box.SetAttribute(L"padding", L"4,2,4,2");
    box.SetAttribute(L"childmargin", L"10");
    box.SetAttribute(L"itemsize", L"100,-1");
    box.SetAttribute(L"columns", L"0");
    const RECT padding = tiles->GetPadding();
    EXPECT_EQ(padding.left, 6);
    EXPECT_EQ(padding.top, 3);
    EXPECT_EQ(padding.right, 6);
    EXPECT_EQ(padding.bottom, 3);
    EXPECT_EQ(tiles->GetChildMargin(), 15);
    EXPECT_EQ(tiles->GetItemSize().cx, 150);
    EXPECT_EQ(tiles->GetItemSize().cy, -1);
    EXPECT_EQ(tiles->GetColumns(), 1) << "a count below 1 is ignored";
}

// Text 300 pixels wide on one line; with its width fixed it wraps into 20-pixel lines.
class WrappingText : public Control {
public:
    SIZE EstimateText(SIZE, bool&) override {
        if (fixedWidth_ <= 0) return SIZE{300, 20};
        return SIZE{fixedWidth_, 20 * ((300 + fixedWidth_ - 1) / fixedWidth_)};
    }
};

TEST(BoxLayout, AutoTextWrapsAtTheAreaWidthAlsoWhenScaled) {
    for (const int percent : {100, 150}) {
        SCOPED_TRACE(percent);
        DpiScope dpi(percent);
        Box box(nullptr);
        Control* text = AddNew<WrappingText>(box);
        text->SetAttribute(L"width", L"auto");
        text->SetAttribute(L"height", L"auto");
        text->SetAttribute(L"maxwidth", L"-1");
        box.SetPos({0, 0, 100, 200});
        const RECT placed = text->GetPos();
        EXPECT_EQ(placed.right - placed.left, 100);
        EXPECT_EQ(placed.bottom - placed.top, 60);
        EXPECT_EQ(text->GetFixedWidth(), ui::kSizeAuto) << "auto again, for the next measure";
        EXPECT_TRUE(text->IsReEstimateSize());
    }
}

TEST(BoxPaint, HBoxPaintsEachChildInItsPlace) {
    ui::GlobalManager::StartupRender();
    ui::GlobalManager::AddTextColor(L"box_test_red", L"#ffff0000");
    ui::GlobalManager::AddTextColor(L"box_test_green", L"#ff00ff00");
    ui::GlobalManager::AddTextColor(L"box_test_blue", L"#ff0000ff");
    std::unique_ptr<ui::IRenderContext> context(ui::GlobalManager::GetRenderFactory()->CreateRenderContext());
    ASSERT_TRUE(context->Resize(120, 40));
    context->Clear();

    // Content 4..116 less two gaps of 6: the fixed middle child takes 20, the others 40 each.
    ui::HBox root;
    root.SetAttribute(L"padding", L"4,4,4,4");
    root.SetAttribute(L"childmargin", L"6");
    for (const wchar_t* color : {L"box_test_red", L"box_test_green", L"box_test_blue"}) {
        AddNew<Control>(root)->SetAttribute(L"bkcolor", color);
    }
    root.GetItemAt(1)->SetAttribute(L"width", L"20");
    root.SetPos({0, 0, 120, 40});
    root.AlphaPaint(context.get(), {0, 0, 120, 40});

    constexpr DWORD kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kNothing = 0;
    struct Spot {
        int x, y;
        DWORD want;
        const char* what;
    } const spots[] = {
        {4, 4, kRed, "first child, top left"},
        {43, 35, kRed, "first child, bottom right"},
        {47, 20, kNothing, "gap"},
        {50, 4, kGreen, "middle child, top left"},
        {69, 35, kGreen, "middle child, bottom right"},
        {73, 20, kNothing, "gap"},
        {76, 4, kBlue, "last child, top left"},
        {115, 35, kBlue, "last child, bottom right"},
        {2, 20, kNothing, "left padding"},
        {117, 20, kNothing, "right padding"},
        {60, 2, kNothing, "top padding"},
        {60, 37, kNothing, "bottom padding"},
    };
    for (const Spot& spot : spots) {
        EXPECT_EQ(ui_test::PixelAt(*context, spot.x, spot.y).Argb(), spot.want)
            << spot.what << " at " << spot.x << "," << spot.y;
    }
    if (HasFailure()) ui_test::WriteRenderContextPng(*context, L"failed_BoxPaint_HBoxPaintsEachChildInItsPlace.png", 4);
}

}  // namespace
