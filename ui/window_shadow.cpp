#include "ui/window_shadow.h"

#include "ui/dpi_manager.h"
#include "ui/shadow_box.h"

namespace ui {
namespace {

// A side of the content plus the shadow on both ends, when the side has a fixed size.
int WithShadow(int size, int before, int after) {
    return size > 0 ? size + before + after : size;
}

}  // namespace

RECT ScaleInsets(RECT insets) {
    const DpiManager* dpi = DpiManager::GetInstance();
    return RECT{dpi->ScaleInt(insets.left), dpi->ScaleInt(insets.top), dpi->ScaleInt(insets.right),
                dpi->ScaleInt(insets.bottom)};
}

WindowShadow::WindowShadow() : padding(ScaleInsets(unscaledPadding)), restorePadding(padding) {}

Control* WindowShadow::WrapRoot(Control* root) {
    if (!attached || !root) return root;
    auto* shadowBox = new ShadowBox;
    box = shadowBox;
    shadowBox->GetLayout()->SetPadding(padding, false);
    const int width = WithShadow(root->GetFixedWidth(), padding.left, padding.right);
    if (width >= kSizeAuto && width != shadowBox->GetFixedWidth()) shadowBox->SetFixedWidth(width, true, false);
    const int height = WithShadow(root->GetFixedHeight(), padding.top, padding.bottom);
    if (height >= kSizeAuto && height != shadowBox->GetFixedHeight()) shadowBox->SetFixedHeight(height, false);
    if (defaultImage) root->SetBorderRound(kDefaultImageRound);
    shadowBox->Add(root);
    shadowBox->SetBkImage(image);
    return shadowBox;
}

}  // namespace ui
