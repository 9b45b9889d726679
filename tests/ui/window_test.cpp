#include "ui/window.h"

#include <gtest/gtest.h>

#include "ui/box.h"
#include "ui/control.h"
#include "ui/layout.h"

namespace {

class FocusProbe : public ui::Control {
public:
    void HandleEvent(ui::EventArgs* args) override {
        if (args->type == ui::kEventKillFocus) ++killed;
        if (args->type == ui::kEventSetFocus) ++set;
        ui::Control::HandleEvent(args);
    }
    int killed = 0;
    int set = 0;
};

struct Tree {
    ui::Window window;
    ui::Box* root = new ui::Box(new ui::Layout);
    FocusProbe* a = new FocusProbe;
    FocusProbe* b = new FocusProbe;
    Tree() {
        a->SetName(L"same");
        b->SetName(L"same");
        root->Add(a);
        root->Add(b);
        window.AttachRoot(root);
    }
};

TEST(Window, NameMapTakesTheLaterControlAndForgetsOnlyItsOwn) {
    Tree tree;
    EXPECT_EQ(tree.window.FindControl(L"same"), tree.b);
    EXPECT_EQ(tree.window.FindControl(L"SAME"), nullptr);
    tree.root->Remove(tree.a);
    tree.window.DeleteDelayedControls();  // a was not the mapped one: the entry stays valid
    EXPECT_EQ(tree.window.FindControl(L"same"), tree.b);
    tree.root->Remove(tree.b);
    tree.window.DeleteDelayedControls();
    EXPECT_EQ(tree.window.FindControl(L"same"), nullptr);
}

TEST(Window, FocusMovesOnlyToVisibleEnabledControlsOfThisWindow) {
    Tree tree;
    tree.window.SetFocusControl(tree.a);
    EXPECT_EQ(tree.window.GetFocus(), tree.a);
    EXPECT_EQ(tree.a->set, 1);
    EXPECT_TRUE(tree.a->IsFocused());

    tree.b->SetEnabled(false);
    tree.window.SetFocusControl(tree.b);  // the old focus goes, the disabled one gets nothing
    EXPECT_EQ(tree.window.GetFocus(), nullptr);
    EXPECT_EQ(tree.a->killed, 1);
    EXPECT_EQ(tree.b->set, 0);

    ui::Control stranger;
    tree.window.SetFocusControl(&stranger);
    EXPECT_EQ(tree.window.GetFocus(), nullptr);

    tree.window.SetFocusControl(tree.a);
    tree.a->SetVisible(false);  // hiding the focus drops it
    EXPECT_EQ(tree.window.GetFocus(), nullptr);
}

TEST(Window, ReplacedRootIsDeletedLaterAndReferencesAreReaped) {
    Tree tree;
    tree.window.SetFocusControl(tree.a);
    tree.window.SetHoverControl(tree.b);
    auto* next = new ui::Box(new ui::Layout);
    tree.window.AttachRoot(next);
    EXPECT_EQ(tree.window.GetFocus(), nullptr);
    EXPECT_EQ(tree.window.GetHoverControl(), nullptr);
    EXPECT_EQ(tree.window.GetRoot(), next);
    tree.window.DeleteDelayedControls();  // the old tree goes here, not inside AttachRoot
    EXPECT_EQ(tree.window.FindControl(L"same"), nullptr);
}

TEST(Window, OptionGroups) {
    ui::Window window;
    ui::Control a, b;
    EXPECT_TRUE(window.AddOptionGroup(L"g", &a));
    EXPECT_FALSE(window.AddOptionGroup(L"g", &a));
    EXPECT_TRUE(window.AddOptionGroup(L"g", &b));
    ASSERT_NE(window.GetOptionGroup(L"g"), nullptr);
    EXPECT_EQ(window.GetOptionGroup(L"g")->size(), 2u);
    window.RemoveOptionGroup(L"g", &a);
    window.RemoveOptionGroup(L"missing", &a);
    window.RemoveOptionGroup(L"g", &b);
    EXPECT_EQ(window.GetOptionGroup(L"g"), nullptr);
}

}  // namespace
