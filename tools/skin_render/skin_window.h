#pragma once

#include <string>

#include "ui/window_impl_base.h"

namespace skin_render {

// A skinned window of any skin: its folder and file under the theme folder are given.
class SkinWindow : public ui::WindowImplBase {
public:
    SkinWindow(std::wstring skinFolder, std::wstring skinFile)
        : skinFolder_(std::move(skinFolder)), skinFile_(std::move(skinFile)) {}

    std::wstring GetWindowClassName() const override { return L"SkinRenderWindow"; }
    std::wstring GetSkinFolder() override { return skinFolder_; }
    std::wstring GetSkinFile() override { return skinFile_; }

private:
    std::wstring skinFolder_;
    std::wstring skinFile_;
};

}  // namespace skin_render
