#include "ui/image.h"

#include <string>

#include <gtest/gtest.h>

#include "ui/dpi_manager.h"

namespace {

// Sets the DPI scale for one test and puts the previous one back.
class ScaleOverride {
public:
    explicit ScaleOverride(int percent)
        : scale_(ui::DpiManager::GetInstance()->GetScale()), adapt_(ui::DpiManager::GetInstance()->IsAdaptDPI()) {
        ui::DpiManager::GetInstance()->SetAdaptDPI(true);
        ui::DpiManager::GetInstance()->SetScale(percent);
    }
    ~ScaleOverride() {
        ui::DpiManager::GetInstance()->SetScale(scale_);
        ui::DpiManager::GetInstance()->SetAdaptDPI(adapt_);
    }

private:
    int scale_;
    bool adapt_;
};

// As the state maps apply a skin's string: the whole string is the file until a pair names one.
ui::Image Stored(const std::wstring& attribute) {
    ui::Image image;
    image.attribute = image.file = attribute;
    return image;
}

ui::Image Parsed(const std::wstring& attribute) {
    ui::Image image = Stored(attribute);
    image.ParseAttribute(attribute);
    return image;
}

std::wstring Text(const RECT& r) {
    return std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L"," + std::to_wstring(r.right) + L"," +
           std::to_wstring(r.bottom);
}

void ExpectParsedValues(const ui::Image& image, const ui::Image& want) {
    EXPECT_EQ(image.attribute, want.attribute);
    EXPECT_EQ(image.file, want.file);
    EXPECT_EQ(Text(image.dest), Text(want.dest));
    EXPECT_EQ(Text(image.source), Text(want.source));
    EXPECT_EQ(Text(image.corner), Text(want.corner));
    EXPECT_EQ(image.fade, want.fade);
    EXPECT_EQ(image.xTiled, want.xTiled);
    EXPECT_EQ(image.yTiled, want.yTiled);
    EXPECT_EQ(image.playCount, want.playCount);
}

TEST(ImageAttribute, AppliesPairsUpToTheFirstMalformedOne) {
    struct Case {
        const wchar_t* attribute;
        void (*change)(ui::Image&);  // what parsing changes on the stored record
    } const cases[] = {
        {L"file='a.png' dest='0,0,10,10' destscale='false'",
         [](ui::Image& w) { w.file = L"a.png"; w.dest = {0, 0, 15, 15}; }},
        {L"file='a.png' destscale='false' dest='0,0,10,10'",
         [](ui::Image& w) { w.file = L"a.png"; w.dest = {0, 0, 10, 10}; }},
        {L"res='a.png' destscale='true' dest='1,2,11,12'",
         [](ui::Image& w) { w.file = L"a.png"; w.dest = {2, 3, 17, 18}; }},
        {L"corner='4,4,4,4' source='0,0,20,20'",
         [](ui::Image& w) { w.source = {0, 0, 20, 20}; w.corner = {4, 4, 4, 4}; }},
        {L"fade='300'", [](ui::Image& w) { w.fade = 44; }},
        {L"fade='0' xtiled='true' ytiled='TRUE' playcount='3'",
         [](ui::Image& w) { w.fade = 0; w.xTiled = true; w.playCount = 3; }},
        {L"destscale='false' dest='1,2' playcount='x'", [](ui::Image& w) { w.dest = {1, 2, 0, 0}; w.playCount = 0; }},
        {L"  file = 'a.png'  fade='5'", [](ui::Image& w) { w.file = L"a.png"; w.fade = 5; }},
        {L"file='dir\\\U0001F600.png' unknown='1' FADE='7'", [](ui::Image& w) { w.file = L"dir\\\U0001F600.png"; }},
        // Not the grammar: the file stays the whole string, the pairs before the fault stay.
        {L"bare.png", [](ui::Image&) {}},
        {L"file=\"a.png\"", [](ui::Image&) {}},
        {L"fade='10' file='a.png", [](ui::Image& w) { w.fade = 10; }},
        {L"fade='10'\tfile='a.png'", [](ui::Image& w) { w.fade = 10; }},
        {L"fade='10'file='a.png'", [](ui::Image& w) { w.fade = 10; }},
        {L"fade='10' file", [](ui::Image& w) { w.fade = 10; }},
        {L"fade='10' =", [](ui::Image& w) { w.fade = 10; }},
        {L"fade=", [](ui::Image&) {}},
        {L"='1'", [](ui::Image&) {}},
        {L"'", [](ui::Image&) {}},
        {L"", [](ui::Image&) {}},
    };
    ScaleOverride scale(150);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.attribute);
        ui::Image want = Stored(c.attribute);
        c.change(want);
        ExpectParsedValues(Parsed(c.attribute), want);
    }
}

TEST(ImageAttribute, DestIsNotScaledWithoutAdaptation) {
    ScaleOverride scale(150);
    ui::DpiManager::GetInstance()->SetAdaptDPI(false);
    EXPECT_EQ(Text(Parsed(L"dest='0,0,10,10'").dest), L"0,0,10,10");
}

TEST(ImageRecord, ClearKeepsTheFrameStateAndReleaseCacheResetsIt) {
    ui::Image image = Parsed(L"file='a.png' dest='1,1,2,2' fade='9' xtiled='true' playcount='2'");
    image.currentFrame = 2;
    image.playing = true;
    image.playCounter = 1;

    image.Clear();
    EXPECT_EQ(image.attribute, L"");
    EXPECT_EQ(image.file, L"");
    EXPECT_FALSE(ui::Image::IsRectSet(image.dest));
    EXPECT_EQ(image.fade, 255);
    EXPECT_FALSE(image.xTiled);
    EXPECT_EQ(image.playCount, -1);
    EXPECT_EQ(image.currentFrame, 2);
    EXPECT_TRUE(image.playing);
    EXPECT_EQ(image.playCounter, 1);

    image.ReleaseCache();
    EXPECT_EQ(image.currentFrame, 0);
    EXPECT_FALSE(image.playing);
    EXPECT_EQ(image.playCounter, 0);
}

TEST(ImageRecord, RectIsSetOnlyWithAllFourSides) {
    EXPECT_TRUE(ui::Image::IsRectSet(RECT{0, 0, 0, 0}));
    EXPECT_FALSE(ui::Image::IsRectSet(RECT{0, 0, 0, -1}));
    EXPECT_FALSE(ui::Image::IsRectSet(RECT{-1, 0, 0, 0}));
}

}  // namespace
