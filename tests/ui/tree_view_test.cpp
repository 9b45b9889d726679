#include "ui/tree_view.h"

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "ui/child_box.h"
#include "ui/window.h"
#include "ui/window_builder.h"

namespace {

using ui::Control;
using ui::TreeNode;
using ui::TreeView;

int liveNodes = 0;

// A node that counts the live ones, so that a node nobody owns shows.
class CountedNode : public TreeNode {
public:
    CountedNode() { ++liveNodes; }
    ~CountedNode() override { --liveNodes; }
};

std::unique_ptr<Control> Build(const wchar_t* markup, ui::Window* window) {
    ui::WindowBuilder builder;
    const ui::CreateControlCallback callback = [](const std::wstring& name) -> Control* {
        return name == L"Node" ? new CountedNode : nullptr;
    };
    return std::unique_ptr<Control>(builder.Create(markup, callback, window));
}

constexpr wchar_t kTree[] =
    L"<Window><TreeView indent=\"10\">"
    L"<Node name=\"a\" height=\"20\"><Node name=\"a1\" height=\"20\"><Node name=\"a11\" height=\"20\"/></Node></Node>"
    L"<Node name=\"b\" height=\"20\"/>"
    L"<Control name=\"stray\"/>"
    L"</TreeView></Window>";

TEST(TreeViewTest, BuiltNodesJoinTheListInTreeOrderAndDieWithIt) {
    ui::Window window;
    {
        std::unique_ptr<Control> built = Build(kTree, &window);
        auto* tree = dynamic_cast<TreeView*>(built.get());
        ASSERT_NE(tree, nullptr);
        ASSERT_EQ(tree->GetCount(), 4);  // the stray control was refused
        const wchar_t* names[] = {L"a", L"a1", L"a11", L"b"};
        const int depths[] = {0, 1, 2, 0};
        for (int i = 0; i < 4; ++i) {
            auto* node = dynamic_cast<TreeNode*>(tree->GetItemAt(static_cast<std::size_t>(i)));
            ASSERT_NE(node, nullptr);
            EXPECT_EQ(node->GetName(), names[i]);
            EXPECT_EQ(node->GetDepth(), depths[i]);
            EXPECT_EQ(node->GetMargin().left, depths[i] * 10);
            EXPECT_EQ(node->GetIndex(), i);
        }
        EXPECT_EQ(liveNodes, 4);
    }
    EXPECT_EQ(liveNodes, 0);
}

TEST(TreeViewTest, NodesHeldBeforeJoiningATreeAreDeletedWithTheirNode) {
    {
        auto parent = std::make_unique<CountedNode>();
        ASSERT_TRUE(parent->Add(new CountedNode));
        EXPECT_FALSE(parent->AddChildNode(parent.get()));
        EXPECT_EQ(liveNodes, 2);
    }
    EXPECT_EQ(liveNodes, 0);
}

TEST(TreeViewTest, CollapsingANodeHidesEveryNodeBelowIt) {
    ui::Window window;
    std::unique_ptr<Control> built = Build(kTree, &window);
    auto* tree = static_cast<TreeView*>(built.get());
    tree->SetPos(RECT{0, 0, 100, 200});
    auto* a = static_cast<TreeNode*>(tree->GetItemAt(0));
    Control* b = tree->GetItemAt(3);
    EXPECT_EQ(b->GetPos().top, 60);

    Control::SendEvent(a, ui::kEventMouseDoubleClick);
    EXPECT_FALSE(a->IsExpanded());
    EXPECT_FALSE(tree->GetItemAt(1)->IsVisible());
    EXPECT_FALSE(tree->GetItemAt(2)->IsVisible());
    tree->SetPos(RECT{0, 0, 100, 201});
    EXPECT_EQ(b->GetPos().top, 20);

    EXPECT_TRUE(tree->Remove(b));  // removing changes nothing
    EXPECT_EQ(tree->GetCount(), 4);
}

// A child box inside a built skin is attached once for every level above it; its content
// must appear once.
TEST(ChildBoxTest, BuildsItsFileOnceWhenAttached) {
    ui::ChildBox box;
    box.Init();
    EXPECT_EQ(box.GetCount(), 0);
    box.SetAttribute(L"xmlfile", L"<Window><Control name=\"inner\"/></Window>");
    box.Init();
    box.Init();
    ASSERT_EQ(box.GetCount(), 1);
    EXPECT_EQ(box.GetItemAt(0)->GetName(), L"inner");

    ui::Window window;
    std::unique_ptr<Control> built = Build(
        L"<Window><VBox><HBox><ChildBox name=\"c\" xmlfile=\"&lt;Window&gt;&lt;Control/&gt;&lt;/Window&gt;\"/></HBox></VBox></Window>",
        &window);
    window.AttachRoot(dynamic_cast<ui::Box*>(built.release()));
    EXPECT_EQ(dynamic_cast<ui::Box*>(window.FindControl(L"c"))->GetCount(), 1);

    box.RemoveAll();
    box.SetAttribute(L"xmlfile", L"missing/nothing.xml");
    box.Init();
    EXPECT_EQ(box.GetCount(), 0);
}

}  // namespace
