#include "ui/virtual_list_box.h"

#include <algorithm>
#include <memory>

#include "ui/scroll_bar.h"

namespace ui {

SIZE VirtualLayout::ArrangeChildren(const std::vector<Control*>& items, RECT rect) {
    auto* list = dynamic_cast<VirtualListBox*>(GetOwner());
    if (!list || !list->IsVirtual()) return VLayout::ArrangeChildren(items, rect);
    const SIZE needed{rect.right - rect.left, list->GetElementCount() * list->GetElementHeight()};
    list->ReArrangeChild(false);
    return needed;
}

VirtualListBox::VirtualListBox() : ListBox(new VirtualLayout) {}

int VirtualListBox::GetElementCount() const {
    return dataSource_ ? std::max(dataSource_->GetElementCount(), 0) : 0;
}

bool VirtualListBox::IsVirtual() const {
    return dataSource_ && elementHeight_ > 0 && GetCount() < GetElementCount();
}

void VirtualListBox::Fill(Control* row, int index) {
    if (dataSource_) dataSource_->FillElement(row, index);
}

bool VirtualListBox::AddRow() {
    std::unique_ptr<Control> row(dataSource_->CreateElement());
    if (!row || !Add(row.get())) return false;
    row.release();  // the list owns its rows
    return true;
}

void VirtualListBox::InitElement(int poolSize) {
    poolSize_ = poolSize;
    if (!dataSource_) return;
    const int rows = std::min(poolSize, GetElementCount());
    for (int i = 0; i < rows && AddRow(); ++i) Fill(items_.back(), i);
}

void VirtualListBox::ReArrangeChild(bool force) {
    if (!dataSource_ || elementHeight_ <= 0) return;
    const int count = GetElementCount();
    const int rows = GetCount();
    const int h = elementHeight_;
    const RECT rect = rect_;
    const int pos = GetScrollPos().cy;
    bool upward = true;
    if (!force) {
        if (!arrangedOnce_) {
            arrangedOnce_ = true;
        } else {
            if (rows == 0 || count <= rows || rect.right == rect.left) return;
            if (pos < previousScrollPos_) {
                if (items_.front()->GetPos().top - rect.top <= pos) return;
            } else {
                if (items_.back()->GetPos().bottom - rect.top > (rect.bottom - rect.top) + pos) return;
                upward = false;
            }
        }
    }
    if (rows == 0) return;

    const int first = pos / h;
    const int top = rect.top + first * h;
    const auto place = [&](int row, int y, int item) {
        items_[static_cast<std::size_t>(row)]->SetPos(RECT{rect.left, y, rect.right, y + h});
        if (item >= 0 && item < count) Fill(items_[static_cast<std::size_t>(row)], item);
    };
    // Rows kept above the view when building upward; none when the pool is no larger than the
    // rows that fit.
    const int above = upward ? std::max(rows - static_cast<int>(rect.bottom - rect.top) / h - 1, 0) : 0;
    for (int j = 0; j < above; ++j) place(above - 1 - j, top - (j + 1) * h, first - 1 - j);
    for (int k = above; k < rows; ++k) place(k, top + (k - above) * h, first + (k - above));
}

void VirtualListBox::SetScrollPos(SIZE pos) {
    previousScrollPos_ = GetScrollPos().cy;
    ListBox::SetScrollPos(pos);
    if (IsVirtual()) ReArrangeChild(false);
}

void VirtualListBox::SetPos(RECT rect) {
    const RECT old = rect_;
    ListBox::SetPos(rect);
    if (!::EqualRect(&old, &rect_) && IsVirtual()) ReArrangeChild(true);
}

void VirtualListBox::Refresh() {
    const int count = GetElementCount();
    const int before = GetCount();
    if (count < before) {
        for (int i = 0; i < before - count; ++i) ListBox::RemoveAt(0);
    } else {
        while (dataSource_ && GetCount() < std::min(poolSize_, count) && AddRow()) {
        }
    }
    if (GetCount() >= count) {
        if (before == poolSize_) layout_->ArrangeChildren(items_, GetPosWithoutPadding());
        for (int i = 0; i < count; ++i) Fill(items_[static_cast<std::size_t>(i)], i);
    } else if (count > 0) {
        ReArrangeChild(true);
        Arrange();
    }
}

void VirtualListBox::RemoveAll() {
    ListBox::RemoveAll();
    if (ScrollBar* bar = GetVerticalScrollBar()) {
        bar->SetScrollPos(0);
        bar->Relayout();
    }
    previousScrollPos_ = 0;
    arrangedOnce_ = false;
}

void VirtualListBox::HandleEvent(EventArgs* args) {
    const int type = args->type;
    const bool arrow = args->key == VK_UP || args->key == VK_DOWN;
    if (type == kEventKeyDown) {
        if (args->key == VK_END) {
            SetScrollPos(SIZE{GetScrollPos().cx, GetScrollRange().cy});
            return;
        }
        if (args->key == VK_HOME) {
            SetScrollPos(SIZE{GetScrollPos().cx, 0});
            return;
        }
        if (arrow) {
            OnArrowKeyDown(args->key);
            return;
        }
    } else if (type == kEventKeyUp && arrow) {
        OnArrowKeyUp(args->key);
        return;
    }
    ListBox::HandleEvent(args);
}

}  // namespace ui
