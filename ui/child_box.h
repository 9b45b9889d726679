#pragma once

#include <string>

#include "ui/box.h"

namespace ui {

// A box that builds its content from another skin file ("xmlfile") when it is attached to a
// window with initialisation. A box is attached once for each level of the tree being built
// above it, so content it already holds is not built again. UI thread only.
class ChildBox : public Box {
public:
    ChildBox() : Box(nullptr) {}

    void Init() override;
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;

    const std::wstring& GetChildXmlFile() const { return markupFile_; }
    void SetChildXmlFile(const std::wstring& path) { markupFile_ = path; }

private:
    std::wstring markupFile_;
    Control* content_ = nullptr;  // what the last build added; owned as a child
};

}  // namespace ui
