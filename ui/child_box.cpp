#include "ui/child_box.h"

#include <memory>

#include "ui/global_manager.h"

namespace ui {

void ChildBox::Init() {
    Box::Init();
    if (markupFile_.empty() || (content_ && GetItemIndex(content_) >= 0)) return;
    content_ = nullptr;
    std::unique_ptr<Control> content = GlobalManager::CreateControlTreeCached(markupFile_, CreateControlCallback());
    if (!content) {
        RemoveAll();
        return;
    }
    if (Add(content.get())) content_ = content.release();
}

void ChildBox::SetAttribute(const std::wstring& name, const std::wstring& value) {
    if (name == L"xmlfile") {
        markupFile_ = value;
    } else {
        Box::SetAttribute(name, value);
    }
}

}  // namespace ui
