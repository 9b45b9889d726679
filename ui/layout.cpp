#include "ui/layout.h"

#include "ui/attribute_values.h"
#include "ui/box.h"
#include "ui/dpi_manager.h"

namespace ui {

bool Layout::SetAttribute(const std::wstring& name, const std::wstring& value) {
    if (name == L"padding") {
        SetPadding(ParseRect(value), true);
    } else if (name == L"childmargin") {
        SetChildMargin(ParseInt(value));
    } else {
        return false;
    }
    return true;
}

SIZE Layout::ArrangeChildren(const std::vector<Control*>& items, RECT rect) {
    const Arrangement arrangement = ArrangeOverlapping(DescribeItems(items), rect);
    ApplyArrangement(items, arrangement);
    return arrangement.needed;
}

SIZE Layout::MeasureChildren(const std::vector<Control*>& items, SIZE available) {
    return MeasureOverlapping(DescribeItems(items), available, padding_);
}

void Layout::SetPadding(RECT padding, bool scaleForDpi) {
    if (scaleForDpi) {
        const DpiManager* dpi = DpiManager::GetInstance();
        padding = RECT{dpi->ScaleInt(padding.left), dpi->ScaleInt(padding.top), dpi->ScaleInt(padding.right),
                       dpi->ScaleInt(padding.bottom)};
    }
    padding_ = padding;
    ArrangeOwner();
}

void Layout::SetChildMargin(int margin) {
    childMargin_ = DpiManager::GetInstance()->ScaleInt(margin);
    ArrangeOwner();
}

SIZE Layout::PlaceFloatChild(Control* control, RECT rect) {
    const std::optional<RECT> placed = PlaceFloat(DescribeForLayout(control), rect);
    if (!placed) return SIZE{0, 0};
    control->SetPos(*placed);
    return SIZE{placed->right - placed->left, placed->bottom - placed->top};
}

void Layout::ArrangeOwner() {
    if (owner_) owner_->Arrange();
}

std::vector<LayoutItem> Layout::DescribeItems(const std::vector<Control*>& items) {
    std::vector<LayoutItem> described;
    described.reserve(items.size());
    for (Control* control : items) described.push_back(DescribeForLayout(control));
    return described;
}

void Layout::ApplyArrangement(const std::vector<Control*>& items, const Arrangement& arrangement) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (arrangement.rects[i]) items[i]->SetPos(*arrangement.rects[i]);
    }
}

LayoutItem DescribeForLayout(Control* control) {
    LayoutItem item;
    item.visible = control->IsVisible();
    item.isFloat = control->IsFloat();
    item.margin = control->GetMargin();
    item.fixedWidth = control->GetFixedWidth();
    item.fixedHeight = control->GetFixedHeight();
    item.minWidth = control->GetMinWidth();
    item.minHeight = control->GetMinHeight();
    item.maxWidth = control->GetMaxWidth();
    item.maxHeight = control->GetMaxHeight();
    item.horAlign = control->GetHorAlignType();
    item.verAlign = control->GetVerAlignType();
    item.estimate = [control](SIZE available) { return control->EstimateSize(available); };
    item.estimateAtWidth = [control](SIZE available) {
        // The width is in device pixels already, so it is not scaled again; the control is auto
        // again afterwards and measures afresh next time.
        control->SetFixedWidth(available.cx, false, false);
        const SIZE size = control->EstimateSize(available);
        control->SetFixedWidth(kSizeAuto, false, false);
        control->SetReEstimateSize(true);
        return size;
    };
    return item;
}

}  // namespace ui
