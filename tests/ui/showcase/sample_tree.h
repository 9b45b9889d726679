#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "ui/box.h"
#include "ui/control.h"

namespace ui {
class ITextEffect;
}

namespace showcase {

// A line of text in a font of the global table, optionally through a text effect; enough
// to show text in pictures before the label widgets exist.
class TextControl : public ui::Control {
public:
    TextControl(std::wstring text, std::wstring fontId, DWORD color, UINT style);
    ~TextControl() override;
    // Takes ownership.
    void SetEffect(ui::ITextEffect* effect);
    ui::ITextEffect* GetEffect() const { return effect_.get(); }
    void PaintText(ui::IRenderContext* context) override;

private:
    std::wstring text_;
    std::wstring fontId_;
    DWORD color_;
    UINT style_;
    std::unique_ptr<ui::ITextEffect> effect_;
};

// Writes the pictures the trees use into folder (a nine-part panel, a tile pattern, a
// button face) and registers the fonts and colours they name. GDI+ must be running.
void PrepareResources(const std::wstring& folder);

// A launcher-like screen of width x height: title bar, poster panel with a translucent
// caption, a grid of tiles, a button; every kind of painting the framework has.
ui::Box* BuildShowcase(const std::wstring& folder);

// `count` mixed controls (boxes, tiles, nine-part and tiled images, borders, text) for timing.
ui::Box* BuildLargeTree(const std::wstring& folder, int count);

}  // namespace showcase
