#include "ui/tab_box.h"

#include "ui/animation_player.h"
#include "ui/attribute_values.h"
#include "ui/window.h"

namespace ui {
namespace {

// The pages' slide is quicker than the framework's default sideways fade.
constexpr double kSlideSpeedUpFactor = 0.015;

void SetPageMouse(Control* page, bool enabled) {
    page->SetMouseEnabled(enabled);
    if (auto* box = dynamic_cast<Box*>(page)) box->SetMouseChildEnabled(enabled);
}

}  // namespace

TabBox::TabBox(Layout* layout) : Box(layout) {}

void TabBox::HideItem(std::size_t index) {
    Control* page = GetItemAt(index);
    if (!page) return;
    SetPageMouse(page, false);
    page->SetAlpha(0);
    page->Invalidate();
}

void TabBox::HideAdded(Control* page) {
    if (!fadeSwitch_) page->SetFadeVisible(false);
    HideItem(static_cast<std::size_t>(GetItemIndex(page)));
}

void TabBox::ShowPage(Control* page) {
    if (!fadeSwitch_) page->SetFadeVisible(true);
    SetPageMouse(page, true);
    page->SetAlpha(255);
    page->Invalidate();
}

bool TabBox::Add(Control* control) {
    // The box's own insertion: this class's AddAt would count the page as inserted before
    // the current one.
    if (!Box::AddAt(control, items_.size())) return false;
    const int index = GetItemIndex(control);
    if (currentIndex_ == -1 && control->IsVisible()) {
        currentIndex_ = index;
        return true;
    }
    if (index == currentIndex_ && control->IsVisible()) return true;
    HideAdded(control);
    return true;
}

bool TabBox::AddAt(Control* control, std::size_t index) {
    if (!Box::AddAt(control, index)) return false;
    if (currentIndex_ == -1) {
        if (control->IsVisible()) currentIndex_ = static_cast<int>(index);
        return true;
    }
    if (static_cast<int>(index) > currentIndex_) {
        HideAdded(control);
    } else {
        ++currentIndex_;
    }
    return true;
}

bool TabBox::Remove(Control* control) {
    if (!control) return false;
    const int index = GetItemIndex(control);
    if (!Box::Remove(control)) return false;
    if (index == currentIndex_) {
        if (GetCount() == 0) {
            currentIndex_ = -1;
        } else {
            currentIndex_ = 0;
            ShowPage(GetItemAt(0));
        }
        ArrangeAncestor();
    } else if (index < currentIndex_) {
        --currentIndex_;
    }
    return true;
}

bool TabBox::RemoveAt(std::size_t index) {
    return Remove(GetItemAt(index));
}

void TabBox::RemoveAll() {
    currentIndex_ = -1;
    Box::RemoveAll();
    ArrangeAncestor();
}

void TabBox::SetAttribute(const std::wstring& name, const std::wstring& value) {
    if (name == L"selectedid") {
        currentIndex_ = ParseInt(value);
    } else if (name == L"fadeswitch") {
        fadeSwitch_ = ParseBool(value);
    } else {
        Box::SetAttribute(name, value);
    }
}

void TabBox::Slide(Control* page, int start, int end, bool hideWhenDone, std::size_t index) {
    AnimationPlayer* player = page->GetAnimationManager().SetFadeInOutX(true, false);
    player->SetStartValue(start);
    player->SetEndValue(end);
    player->SetSpeedUpFactor(kSlideSpeedUpFactor);
    if (hideWhenDone) player->SetCompleteCallback(MakeWeakCallback([this, index] { HideItem(index); }));
    player->Play();
}

bool TabBox::SelectItem(int index) {
    if (index < 0 || index >= GetCount()) return false;
    if (index == currentIndex_) return true;
    const int old = currentIndex_;
    currentIndex_ = index;
    const int width = rect_.right - rect_.left;
    const bool towardLower = index < old;
    for (int i = 0; i < GetCount(); ++i) {
        Control* page = GetItemAt(static_cast<std::size_t>(i));
        if (i == index) {
            ShowPage(page);
            if (fadeSwitch_) Slide(page, towardLower ? width : -width, 0, false, 0);
        } else if (i == old && fadeSwitch_) {
            // The old page keeps its look until it has slid out.
            Slide(page, 0, towardLower ? -width : width, true, static_cast<std::size_t>(old));
        } else {
            HideItem(static_cast<std::size_t>(i));
            if (!fadeSwitch_) page->SetFadeVisible(false);
        }
    }
    if (window_) {
        window_->SetNextTabControl();
        SendEvent(this, kEventSelect, static_cast<WPARAM>(index), static_cast<LPARAM>(old));
    }
    return true;
}

}  // namespace ui
