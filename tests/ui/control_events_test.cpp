#include "ui/control.h"

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ui/box.h"
#include "ui/layout.h"
#include "ui/window.h"

namespace {

// Records the events its default handling sees, and its activations.
class RecordingControl : public ui::Control {
public:
    void HandleEvent(ui::EventArgs* args) override {
        handled.push_back(args->type);
        ui::Control::HandleEvent(args);
    }
    void Activate() override { ++activations; }
    std::vector<int> handled;
    int activations = 0;
};

class RecordingBox : public ui::Box {
public:
    RecordingBox() : ui::Box(new ui::Layout) {}
    void HandleEvent(ui::EventArgs* args) override {
        handled.push_back(args->type);
        senders.push_back(args->sender);
    }
    std::vector<int> handled;
    std::vector<ui::Control*> senders;
};

ui::EventCallback Record(std::vector<std::string>& log, std::string name, bool result) {
    return [&log, name, result](ui::EventArgs*) {
        log.push_back(name);
        return result;
    };
}

TEST(ControlDispatch, CodeThenAllThenXmlThenDefault) {
    struct Case {
        bool codeType, codeAll, xmlType;
        std::vector<std::string> want;
        bool handled;
    } const cases[] = {
        {true, true, true, {"code", "code-all", "xml", "xml-all"}, true},
        // The exact-type handlers stopping does not stop the "all" ones, whose result wins.
        {false, true, true, {"code", "code-all", "xml", "xml-all"}, true},
        // An "all" handler stopping ends everything after it.
        {true, false, true, {"code", "code-all"}, false},
        // Likewise in the skin's handlers: the "all" result replaces the exact-type one.
        {true, true, false, {"code", "code-all", "xml", "xml-all"}, true},
    };
    for (const Case& c : cases) {
        std::vector<std::string> log;
        RecordingControl control;
        control.EventMapAt(ui::kEventClick).push_back(Record(log, "code", c.codeType));
        control.EventMapAt(ui::kEventAll).push_back(Record(log, "code-all", c.codeAll));
        control.AttachXmlEvent(ui::kEventClick, Record(log, "xml", c.xmlType));
        control.AttachXmlEvent(ui::kEventAll, Record(log, "xml-all", true));
        ui::Control::SendEvent(&control, ui::kEventClick);
        EXPECT_EQ(log, c.want);
        EXPECT_EQ(control.handled.size(), c.handled ? 1u : 0u);
    }
}

TEST(ControlDispatch, HandlerMayDestroyItsControlOrAddHandlers) {
    std::vector<std::string> log;
    auto* doomed = new RecordingControl;
    doomed->EventMapAt(ui::kEventClick).push_back([doomed](ui::EventArgs*) {
        delete doomed;
        return true;
    });
    doomed->EventMapAt(ui::kEventClick).push_back(Record(log, "after", true));
    ui::Control::SendEvent(doomed, ui::kEventClick);
    EXPECT_TRUE(log.empty());

    RecordingControl control;
    auto& handlers = control.EventMapAt(ui::kEventClick);
    for (int i = 0; i < 4; ++i) {
        handlers.push_back([&control, &log](ui::EventArgs*) {
            // Growing the list being run reallocates it.
            for (int j = 0; j < 16; ++j) control.EventMapAt(ui::kEventClick).push_back([](ui::EventArgs*) { return true; });
            log.push_back("grow");
            return true;
        });
    }
    ui::Control::SendEvent(&control, ui::kEventClick);
    EXPECT_EQ(log.size(), 4u);
}

TEST(ControlDispatch, MouseEventsOfAMouselessControlReachTheParent) {
    RecordingBox box;
    auto* child = new RecordingControl;
    box.Add(child);
    child->SetMouseEnabled(false);
    ui::Control::SendEvent(child, ui::kEventMouseButtonDown);
    ASSERT_EQ(box.handled.size(), 1u);
    EXPECT_EQ(box.handled[0], ui::kEventMouseButtonDown);
    EXPECT_EQ(box.senders[0], child);  // the sender stays the child
    EXPECT_EQ(child->GetState(), ui::kControlStateNormal);
}

TEST(ControlClick, ButtonUpInsideActivatesOutsideDoesNot) {
    struct Case {
        int upType;
        POINT up;
        int activations;
        int state;
        int hotAlpha;
    } const cases[] = {
        {ui::kEventMouseButtonUp, {5, 5}, 1, ui::kControlStateHot, 255},
        {ui::kEventMouseButtonUp, {50, 5}, 0, ui::kControlStateNormal, 0},
        {ui::kEventPointerUp, {5, 5}, 1, ui::kControlStateNormal, 0},
    };
    for (const Case& c : cases) {
        RecordingControl control;
        control.SetPos(RECT{0, 0, 20, 20});
        ui::Control::SendEvent(&control, ui::kEventMouseButtonDown, 0, 0, 0, POINT{5, 5});
        EXPECT_EQ(control.GetState(), ui::kControlStatePushed);
        ui::Control::SendEvent(&control, c.upType, 0, 0, 0, c.up);
        EXPECT_EQ(control.activations, c.activations);
        EXPECT_EQ(control.GetState(), c.state);
        EXPECT_EQ(control.GetHotAlpha(), c.hotAlpha);
    }
}

TEST(ControlFocusEvents, DisabledControlIgnoresInternalFocus) {
    RecordingControl control;
    control.SetEnabled(false);
    ui::Control::SendEvent(&control, ui::kEventInternalSetFocus);
    EXPECT_FALSE(control.IsFocused());
    EXPECT_EQ(control.GetState(), ui::kControlStateDisabled);
    control.SetEnabled(true);
    ui::Control::SendEvent(&control, ui::kEventInternalSetFocus);
    EXPECT_TRUE(control.IsFocused());
    EXPECT_EQ(control.GetState(), ui::kControlStateHot);
}

class TestWindow : public ui::Window {};

TEST(ControlEvents, PointOfTheWindowAndReceiversByName) {
    TestWindow window;
    auto* root = new ui::Box(new ui::Layout);
    auto* inner = new ui::Box(new ui::Layout);
    auto* target = new RecordingControl;
    target->SetName(L"Target");
    inner->Add(target);
    root->Add(inner);
    window.AttachRoot(root);
    window.SetLastMousePos(POINT{7, 9});

    POINT seen{};
    target->EventMapAt(ui::kEventMouseMove).push_back([&seen](ui::EventArgs* args) {
        seen = args->mousePoint;
        return true;
    });
    ui::Control::SendEvent(target, ui::kEventMouseMove);
    EXPECT_EQ(seen.x, 7);
    EXPECT_EQ(seen.y, 9);
    ui::Control::SendEvent(target, ui::kEventMouseMove, 0, 0, 0, POINT{5, 0});
    EXPECT_EQ(seen.x, 5);
    EXPECT_EQ(seen.y, 0);

    // "./" searches below the sender, ignoring case; a plain name uses the window's exact map.
    inner->OnApplyAttributeList(L"./target", L"width=\"33\"", nullptr);
    EXPECT_EQ(target->GetFixedWidth(), 33);
    root->OnApplyAttributeList(L"target", L"width=\"44\"", nullptr);
    EXPECT_EQ(target->GetFixedWidth(), 33);
    root->OnApplyAttributeList(L"Target", L"width=\"44\"", nullptr);
    EXPECT_EQ(target->GetFixedWidth(), 44);
}

}  // namespace
