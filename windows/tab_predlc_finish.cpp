#include "windows/tab_predlc_finish.h"

#include "windows/page_controls.h"

namespace MainComponents {

void TabPreDlcFinish::BindControls() {
    infoLabel = FindNamed<ui::Label>(this, L"text_info");
    Refresh(0);
}

void TabPreDlcFinish::Refresh(int) {
    if (infoLabel) infoLabel->SetTextId(L"STRING_PREDLC_FINISH", true);
}

}  // namespace MainComponents
