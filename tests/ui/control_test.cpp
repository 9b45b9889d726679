#include "ui/control.h"

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "tests/ui/dpi_scope.h"
#include "ui/box.h"
#include "ui/global_manager.h"
#include "ui/layout.h"

namespace {

// Exposes the fields the attribute table writes.
class ProbeControl : public ui::Control {
public:
    RECT BorderWidths() const { return borderWidths_; }
    int BorderSize() const { return borderSize_; }
    bool NoFocus() const { return noFocus_; }
    const std::wstring& BorderColor() const { return borderColor_; }
    int Alpha() const { return alpha_; }
    POINT RenderOffset() const { return renderOffset_; }
};

TEST(ControlAttributes, SizesAndTheirMarkers) {
    struct Case {
        const wchar_t* name;
        const wchar_t* value;
        int scale;
        int want;
    } const cases[] = {
        {L"width", L"-3", 100, -1},       // below -2: ignored
        {L"width", L"0", 150, 0},
        {L"width", L"auto", 150, -2},
        {L"width", L"stretch", 150, -1},
        {L"width", L"40", 150, 60},
        {L"maxwidth", L"stretch", 150, -1},  // markers never scale
        {L"maxwidth", L"auto", 150, -2},
        {L"maxwidth", L"100", 150, 150},
        {L"minwidth", L"-5", 150, -1},     // negative minimums are ignored
        {L"minwidth", L"10", 150, 15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::wstring(c.name) + L"=" + c.value);
        DpiScope dpi(c.scale);
        ui::Control control;
        control.SetAttribute(c.name, c.value);
        const std::wstring name = c.name;
        const int got = name == L"width" ? control.GetFixedWidth()
                      : name == L"maxwidth" ? control.GetMaxWidth() : control.GetMinWidth();
        EXPECT_EQ(got, c.want);
    }
}

TEST(ControlAttributes, BordersColoursAndFlags) {
    ProbeControl control;
    control.SetAttribute(L"bordersize", L"1,0,1,0");
    control.SetAttribute(L"bordersize", L"2");
    EXPECT_EQ(control.BorderSize(), 2);
    EXPECT_EQ(control.BorderWidths().left, 0);
    control.SetAttribute(L"bordersize", L"1,0,1,0");
    EXPECT_EQ(control.BorderSize(), 2);  // the four-number form keeps the uniform size
    EXPECT_EQ(control.BorderWidths().left, 1);
    EXPECT_EQ(control.BorderWidths().right, 1);

    control.SetAttribute(L"bkcolor", L"  white");
    EXPECT_EQ(control.GetBkColor(), L"white");
    control.SetAttribute(L"bordercolor", L"  white");
    EXPECT_EQ(control.BorderColor(), L"  white");

    control.SetAttribute(L"nofocus", L"false");
    EXPECT_TRUE(control.NoFocus());
    control.SetAttribute(L"alpha", L"300");
    EXPECT_EQ(control.Alpha(), 255);
    control.SetAttribute(L"alpha", L"-4");
    EXPECT_EQ(control.Alpha(), 0);
    control.SetAttribute(L"halign", L"middle");  // outside the vocabulary: unchanged
    EXPECT_EQ(control.GetHorAlignType(), ui::kHorAlignLeft);
    control.SetAttribute(L"valign", L"bottom");
    EXPECT_EQ(control.GetVerAlignType(), ui::kVerAlignBottom);
    control.SetAttribute(L"renderoffset", L"3");  // the missing number reads 0
    EXPECT_EQ(control.RenderOffset().x, 3);
    EXPECT_EQ(control.RenderOffset().y, 0);
    control.SetAttribute(L"visible", L"TRUE");  // only the exact "true" is true
    EXPECT_FALSE(control.IsVisible());
}

TEST(ControlAttributes, AttributeLists) {
    struct Case {
        const wchar_t* list;
        const wchar_t* name;
        const wchar_t* width;
    } const cases[] = {
        {L"name=\"a\" width=\"10\"", L"a", L"10"},
        {L"name='a' width='10'", L"a", L"10"},
        {L"name=\"a\"  width=\"10\"", L"a", L"-1"},  // two spaces: " width" is not an attribute
        {L"name=\"a\" width=\"10", L"a", L"-1"},     // the unclosed pair is not applied
        {L"name=a width=\"10\"", L"", L"-1"},        // an unquoted value stops the parse
        {L"name=\"a\" ", L"a", L"-1"},
        {L"=", L"", L"-1"},
        {L"name", L"", L"-1"},
        {L"", L"", L"-1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list);
        ui::Control control;
        control.ApplyAttributeList(c.list);
        EXPECT_EQ(control.GetName(), c.name);
        EXPECT_EQ(control.GetFixedWidth(), std::stoi(c.width));
    }
}

TEST(ControlAttributes, ClassesFromTheGlobalTable) {
    ui::GlobalManager::AddClass(L"wide", L"width=\"30\" height=\"20\"");
    ui::GlobalManager::AddClass(L"named", L"name=\"n\"");
    ui::Control control;
    control.SetAttribute(L"class", L"  wide missing named ");
    EXPECT_EQ(control.GetFixedWidth(), 30);
    EXPECT_EQ(control.GetFixedHeight(), 20);
    EXPECT_EQ(control.GetName(), L"n");
    ui::GlobalManager::RemoveAllClasses();
}

TEST(ControlAttributes, ChannelFilterOnlyHides) {
    ui::GlobalManager::SetCurrentChannel(L"TW");
    struct Case {
        const wchar_t* channels;
        bool visible;
    } const cases[] = {{L"TW", true}, {L"AppStore TW", true}, {L"AppStore", false}, {L"", false}, {L"tw", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.channels);
        ui::Control control;
        control.SetAttribute(L"channel", c.channels);
        EXPECT_EQ(control.IsVisible(), c.visible);
    }
    ui::Control hidden;
    hidden.SetVisible(false);
    hidden.SetAttribute(L"channel", L"TW");
    EXPECT_FALSE(hidden.IsVisible());  // a matching list never shows what was hidden
    ui::GlobalManager::SetCurrentChannel(L"AppStore");
}

TEST(ControlGeometry, SetPosNormalisesAndEstimateKeepsFixedSizes) {
    ui::Control control;
    control.SetPos(RECT{10, 10, 5, 2});
    const RECT pos = control.GetPos();
    EXPECT_EQ(pos.right, 10);
    EXPECT_EQ(pos.bottom, 10);

    control.SetFixedWidth(40);
    control.SetFixedHeight(20);
    const SIZE size = control.EstimateSize(SIZE{1000, 1000});
    EXPECT_EQ(size.cx, 40);
    EXPECT_EQ(size.cy, 20);
}

TEST(ControlGeometry, ImageWithSourceRectangleGivesItsSize) {
    ui::Control control;
    control.SetAttribute(L"width", L"auto");
    control.SetAttribute(L"bkimage", L"file='x.png' source='0,0,40,20'");
    const SIZE size = control.EstimateSize(SIZE{1000, 1000});
    EXPECT_EQ(size.cx, 40);
    EXPECT_EQ(control.GetFixedWidth(), 40);
    EXPECT_EQ(control.GetFixedHeight(), 20);
}

TEST(ControlState, VisibilityAndEnabling) {
    ui::Control control;
    control.SetEnabled(false);
    EXPECT_EQ(control.GetState(), ui::kControlStateDisabled);
    control.SetEnabled(true);
    EXPECT_EQ(control.GetState(), ui::kControlStateNormal);
    EXPECT_EQ(control.GetHotAlpha(), 0);

    control.SetInternalVisible(false);
    EXPECT_FALSE(control.IsVisible());
    control.SetInternalVisible(true);
    EXPECT_TRUE(control.IsVisible());
}

}  // namespace
