#pragma once

#include <string>

#include "ui/box.h"

namespace ui {

// A box that builds its content from another skin file ("xmlfile") each time it is attached
// to a window with initialisation. UI thread only.
class ChildBox : public Box {
public:
    ChildBox() : Box(nullptr) {}

    void Init() override;
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;

    const std::wstring& GetChildXmlFile() const { return markupFile_; }
    void SetChildXmlFile(const std::wstring& path) { markupFile_ = path; }

private:
    std::wstring markupFile_;
};

}  // namespace ui
