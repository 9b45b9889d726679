#include "windows/tab_asset_check.h"

#include "windows/download_texts.h"
#include "windows/page_controls.h"

namespace MainComponents {

void TabAssetCheck::BindControls() {
    countLabel = FindNamed<ui::Label>(this, L"text_check_asset");
    progress = FindNamed<ui::Progress>(this, L"progress");
    if (countLabel) countLabel->SetText(L"");
    if (progress) {
        progress->SetValue(0);
        progress->Invalidate();
    }
}

void TabAssetCheck::SetProgress(std::int32_t counter, double percent) {
    if (countLabel) countLabel->SetText(CheckCounterText(counter));
    if (progress) {
        progress->SetValue(percent);
        progress->Invalidate();
    }
}

}  // namespace MainComponents
