#pragma once

#include <string>

#include <json/value.h>

#include "tools/skin_render/render_options.h"

namespace ui {
class IRenderContext;
}

namespace skin_render {

class SkinWindow;

// The framework started on a resource folder or archive, and one skin shown as a real skinned
// window that has arranged and painted itself.
class SkinSnapshot {
public:
    SkinSnapshot();
    ~SkinSnapshot();
    SkinSnapshot(const SkinSnapshot&) = delete;
    SkinSnapshot& operator=(const SkinSnapshot&) = delete;

    // Opens the resources, sets the DPI scale and the language and loads global.xml. The
    // output paths of options become absolute, since the working folder changes.
    bool Start(RenderOptions& options, std::wstring& error);
    // Creates the window of the skin at its own size and waits (a few seconds at most) until
    // it has painted and faded in; error is the parser's or the builder's when the skin cannot
    // be built.
    bool Render(const std::wstring& skin, std::wstring& error);

    // What the window painted: its layered bitmap, shadow and alpha included.
    ui::IRenderContext* GetBitmap() const;
    // The window's tree from its root (the shadow box when the skin has a shadow).
    Json::Value DescribeTree() const;

private:
    SkinWindow* window_ = nullptr;  // deletes itself with its native window
};

}  // namespace skin_render
