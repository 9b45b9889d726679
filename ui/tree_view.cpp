#include "ui/tree_view.h"

#include "ui/attribute_values.h"
#include "ui/vlayout.h"

namespace ui {

// --- TreeNode --------------------------------------------------------------------------------------

TreeNode::~TreeNode() = default;

bool TreeNode::AddAt(Control* control, std::size_t index) {
    if (auto* node = dynamic_cast<TreeNode*>(control)) return AddChildNode(node);
    return ListContainerElement::AddAt(control, index);
}

bool TreeNode::AddChildNode(TreeNode* node) {
    if (!node || node == this || node->parentNode_ || node->treeView_) return false;
    node->parentNode_ = this;
    node->depth_ = depth_ + 1;
    if (treeView_) {
        const std::size_t end = EndOfSubtree();
        childNodes_.push_back(node);
        node->JoinTree(treeView_, end);
    } else {
        childNodes_.push_back(node);
        heldNodes_.emplace_back(node);
    }
    return true;
}

std::size_t TreeNode::EndOfSubtree() const {
    if (!childNodes_.empty()) return childNodes_.back()->EndOfSubtree();
    const int index = treeView_ ? treeView_->GetItemIndex(const_cast<TreeNode*>(this)) : -1;
    return index < 0 ? (treeView_ ? static_cast<std::size_t>(treeView_->GetCount()) : 0) : static_cast<std::size_t>(index) + 1;
}

std::size_t TreeNode::JoinTree(TreeView* view, std::size_t index) {
    treeView_ = view;
    depth_ = parentNode_ ? parentNode_->depth_ + 1 : depth_;
    view->InsertNode(this, index++);
    // The list owns the subtree now.
    for (std::unique_ptr<TreeNode>& held : heldNodes_) held.release();
    heldNodes_.clear();
    for (TreeNode* child : childNodes_) index = child->JoinTree(view, index);
    return index;
}

bool TreeNode::IsVisible() const {
    if (!ListContainerElement::IsVisible()) return false;
    return !parentNode_ || (parentNode_->expanded_ && parentNode_->IsVisible());
}

void TreeNode::SetInternalVisible(bool visible) {
    ListContainerElement::SetInternalVisible(visible);
    for (TreeNode* child : childNodes_) child->SetInternalVisible(visible_ && internalVisible_);
}

void TreeNode::SetExpand(bool expanded) {
    if (expanded_ == expanded) return;
    expanded_ = expanded;
    if (treeView_) treeView_->Arrange();
}

bool TreeNode::OnItemActivated(EventArgs* args) {
    if (auto* node = dynamic_cast<TreeNode*>(args->sender)) node->SetExpand(!node->expanded_);
    return true;
}

// --- TreeView --------------------------------------------------------------------------------------

TreeView::TreeView() : ListBox(new VLayout), rootNode_(std::make_unique<TreeNode>()) {
    rootNode_->treeView_ = this;
}

TreeView::~TreeView() = default;

void TreeView::SetWindowAndParent(Window* window, Box* parent, bool init) {
    ListBox::SetWindowAndParent(window, parent, init);
    rootNode_->SetWindowAndParent(window, this, false);
}

void TreeView::SetAttribute(const std::wstring& name, const std::wstring& value) {
    if (name == L"indent") {
        indent_ = ParseInt(value);
    } else {
        ListBox::SetAttribute(name, value);
    }
}

bool TreeView::AddAt(Control* control, std::size_t /*index*/) {
    auto* node = dynamic_cast<TreeNode*>(control);
    return node && rootNode_->AddChildNode(node);
}

void TreeView::InsertNode(TreeNode* node, std::size_t index) {
    ListBox::AddAt(node, index);
    node->SetMargin(RECT{node->GetDepth() * indent_, 0, 0, 0}, false);
    node->EventMapAt(kEventMouseDoubleClick).push_back([node](EventArgs* args) { return node->OnItemActivated(args); });
}

bool TreeView::Remove(Control* /*control*/) {
    return true;
}

bool TreeView::RemoveAt(std::size_t /*index*/) {
    return true;
}

void TreeView::RemoveAll() {}

}  // namespace ui
