#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui/list_box.h"
#include "ui/list_container_element.h"

namespace ui {

class TreeView;

// A list element that is a node of a tree view: it has child nodes, shown below it while it
// is expanded. Every node of a tree is an item of the tree view's list, after its parent and
// the parent's earlier descendants; nodes added before their node joins a tree are held by
// it until then. Activating a node (a double click) expands or collapses it. UI thread only.
class TreeNode : public ListContainerElement {
public:
    TreeNode() = default;
    ~TreeNode() override;

    // A child node goes into the node's subtree, never into its box.
    bool AddAt(Control* control, std::size_t index) override;
    // Hidden while any node above it is collapsed or hidden.
    bool IsVisible() const override;
    void SetInternalVisible(bool visible) override;
    // Toggles the sender node and arranges its tree view again. True.
    virtual bool OnItemActivated(EventArgs* args);

    // Appends a node (owned from then on by the tree) below this one; false for null, for this
    // node and for a node that already has a parent node.
    bool AddChildNode(TreeNode* node);
    int GetDepth() const { return depth_; }
    bool IsExpanded() const { return expanded_; }
    void SetExpand(bool expanded);
    TreeView* GetTreeView() const { return treeView_; }
    TreeNode* GetParentNode() const { return parentNode_; }
    const std::vector<TreeNode*>& GetChildNodes() const { return childNodes_; }

private:
    friend class TreeView;

    // Puts this node and its held subtree into the tree view's list from index on; returns
    // the index after the last one placed.
    std::size_t JoinTree(TreeView* view, std::size_t index);
    // The list index after this node's last descendant.
    std::size_t EndOfSubtree() const;

    int depth_ = -1;
    bool expanded_ = true;
    TreeView* treeView_ = nullptr;
    TreeNode* parentNode_ = nullptr;
    std::vector<TreeNode*> childNodes_;
    // Child nodes added while this node was in no tree; the tree view's list owns them later.
    std::vector<std::unique_ptr<TreeNode>> heldNodes_;
};

// A list box whose items are tree nodes under one hidden root node. Adding a node adds it at
// the top level of the tree; other controls are refused (the caller keeps them), and removing
// changes nothing. UI thread only.
class TreeView : public ListBox {
public:
    TreeView();
    ~TreeView() override;

    void SetWindowAndParent(Window* window, Box* parent, bool init) override;
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
    bool AddAt(Control* control, std::size_t index) override;
    bool Remove(Control* control) override;
    bool RemoveAt(std::size_t index) override;
    void RemoveAll() override;

    TreeNode* GetRootNode() const { return rootNode_.get(); }
    int GetIndent() const { return indent_; }

private:
    friend class TreeNode;

    // Places a node in the list and indents it by its depth.
    void InsertNode(TreeNode* node, std::size_t index);

    int indent_ = 0;
    std::unique_ptr<TreeNode> rootNode_;
};

}  // namespace ui
