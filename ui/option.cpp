#include "ui/option.h"

#include <vector>

#include "ui/window.h"

namespace ui {

template <class B>
OptionTemplate<B>::~OptionTemplate() {
    if (this->window_ && !group_.empty()) this->window_->RemoveOptionGroup(group_, this);
}

template <class B>
void OptionTemplate<B>::SetGroup(const std::wstring& group) {
    if (group == group_) return;
    if (this->window_ && !group_.empty()) this->window_->RemoveOptionGroup(group_, this);
    group_ = group;
    if (!group_.empty() && this->window_) this->window_->AddOptionGroup(group_, this);
    Selected(this->selected_, true);
}

template <class B>
void OptionTemplate<B>::Selected(bool selected, bool trigger) {
    this->selected_ = selected;
    Window* window = this->window_;
    if (window) {
        const std::weak_ptr<kbase::WeakFlag> alive = this->ObtainWeakFlag();
        if (selected) {
            if (!group_.empty()) {
                // A copy: a member's handler may change the group.
                std::vector<Control*> members;
                if (const std::vector<Control*>* group = window->GetOptionGroup(group_)) members = *group;
                for (Control* member : members) {
                    if (member == this) continue;
                    if (auto* other = dynamic_cast<Selectable*>(member)) other->Selected(false, trigger);
                    if (alive.expired()) return;
                }
            }
            if (!trigger) {
                this->Invalidate();
                return;
            }
            Control::SendEvent(this, kEventSelect);
        } else {
            Control::SendEvent(this, kEventUnSelect);
        }
        if (alive.expired()) return;
    }
    this->Invalidate();
}

template <class B>
void OptionTemplate<B>::Activate() {
    if (!this->IsActivatable() || !this->window_) return;
    const std::weak_ptr<kbase::WeakFlag> alive = this->ObtainWeakFlag();
    Control::SendEvent(this, kEventClick);
    if (alive.expired()) return;
    if (this->IsActivatable()) Selected(true, true);
}

template <class B>
void OptionTemplate<B>::SetWindowAndParent(Window* window, Box* parent, bool init) {
    CheckBoxTemplate<B>::SetWindowAndParent(window, parent, init);
    if (init && !group_.empty() && this->window_) this->window_->AddOptionGroup(group_, this);
}

template <class B>
void OptionTemplate<B>::SetAttribute(const std::wstring& name, const std::wstring& value) {
    if (name == L"group") {
        SetGroup(value);
    } else {
        CheckBoxTemplate<B>::SetAttribute(name, value);
    }
}

template class OptionTemplate<Control>;
template class OptionTemplate<Box>;

}  // namespace ui
