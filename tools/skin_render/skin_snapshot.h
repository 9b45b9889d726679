#pragma once

#include <memory>
#include <string>

#include <json/value.h>

#include "tools/skin_render/render_options.h"

namespace ui {
class Control;
class IRenderContext;
class Window;
}  // namespace ui

namespace skin_render {

// The framework started on a resource folder or archive, and one skin built and painted.
class SkinSnapshot {
public:
    SkinSnapshot();
    ~SkinSnapshot();
    SkinSnapshot(const SkinSnapshot&) = delete;
    SkinSnapshot& operator=(const SkinSnapshot&) = delete;

    // Opens the resources, sets the DPI scale and the language and loads global.xml. The
    // output paths of options become absolute, since the working folder changes.
    bool Start(RenderOptions& options, std::wstring& error);
    // Builds the skin, lays it out at its own size and paints it; error is the parser's or
    // the builder's when the skin cannot be built.
    bool Render(const std::wstring& skin, std::wstring& error);

    ui::IRenderContext* GetBitmap() const { return bitmap_.get(); }
    Json::Value DescribeTree() const;

private:
    std::unique_ptr<ui::Window> window_;
    std::unique_ptr<ui::Control> root_;
    std::unique_ptr<ui::IRenderContext> bitmap_;
};

}  // namespace skin_render
