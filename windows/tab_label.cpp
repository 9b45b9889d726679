#include "windows/tab_label.h"

#include "windows/page_controls.h"

namespace MainComponents {

void TabLabel::Init() {
    ui::ListContainerElement::Init();
    // The framework also runs Init when the header joins its list: bind once.
    if (bound) return;
    bound = true;
    nameLabel = FindNamed<ui::Label>(this, L"tab_name");
    lineControl = FindNamedControl(this, L"tab_line");
    EventMapAt(ui::kEventMouseEnter).push_back(MakeWeakCallback([this](ui::EventArgs*) {
        ShowNameHot(true);
        return false;
    }));
    EventMapAt(ui::kEventMouseLeave).push_back(MakeWeakCallback([this](ui::EventArgs*) {
        if (!IsSelected()) ShowNameHot(false);
        return false;
    }));
}

void TabLabel::ShowNameHot(bool hot) {
    if (!nameLabel) return;
    nameLabel->SetState(hot ? ui::kControlStateHot : ui::kControlStateNormal);
    nameLabel->SetHotAlpha(hot ? 255 : 0);
    nameLabel->Invalidate();
}

}  // namespace MainComponents
