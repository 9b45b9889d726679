#pragma once

#include <string>

#include <json/value.h>

namespace ui {
class IRenderContext;
}

namespace skin_render {

class SkinWindow;

// One skin shown as a real skinned window that has arranged, painted and faded in. Needs a
// started SkinSession.
class SkinSnapshot {
public:
    SkinSnapshot() = default;
    ~SkinSnapshot();
    SkinSnapshot(const SkinSnapshot&) = delete;
    SkinSnapshot& operator=(const SkinSnapshot&) = delete;

    // Creates the window of the skin (a path under the theme folder) at its own size and waits
    // (a few seconds at most) until it has settled; error is the parser's or the builder's
    // when the skin cannot be built.
    bool Render(const std::wstring& skin, std::wstring& error);

    // What the window painted: its layered bitmap, shadow and alpha included.
    ui::IRenderContext* GetBitmap() const;
    // The window's tree from its root (the shadow box when the skin has a shadow).
    Json::Value DescribeTree() const;

private:
    SkinWindow* window_ = nullptr;  // deletes itself with its native window
};

}  // namespace skin_render
