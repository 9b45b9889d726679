#include "app/settings_apply.h"

#include <vector>

#include <gtest/gtest.h>

namespace {

// Records every autostart switch and answers with the given outcome for "on".
struct FakeAutostart {
    bool writeSucceeds = true;
    std::vector<bool> calls;
    AutostartSwitch Switch() {
        return [this](bool enable) {
            calls.push_back(enable);
            return enable && writeSucceeds;
        };
    }
};

TEST(ApplySettings, IdenticalRecordChangesNothing) {
    LauncherSettings live;
    live.gamePath = L"C:\\Game";
    LauncherSettings edited = live;
    edited.language = "ja";  // not read
    FakeAutostart autostart;
    const SettingsChanges changes = ApplyEditedSettings(live, edited, autostart.Switch());
    EXPECT_FALSE(changes.changed);
    EXPECT_FALSE(changes.speedChanged || changes.predlcSpeedChanged || changes.languageChanged);
    EXPECT_EQ(changes.autostartText, "");
    EXPECT_EQ(changes.closeText, "");
    EXPECT_TRUE(autostart.calls.empty());
    EXPECT_EQ(live.language, "en");
}

TEST(ApplySettings, EachFieldRaisesItsOwnFlagsAndTexts) {
    struct Case {
        const char* name;
        void (*edit)(LauncherSettings&);
        bool speed, predlc, language;
        const char* closeText;
    } const cases[] = {
        {"gamePath", [](LauncherSettings& s) { s.gamePath += L"x"; }, false, false, false, ""},
        {"autoUpdate", [](LauncherSettings& s) { s.autoUpdate = false; }, false, false, false, ""},
        {"closeToHide on", [](LauncherSettings& s) { s.closeToHide = true; }, false, false, false, "1"},
        {"downloadSpeed", [](LauncherSettings& s) { s.downloadSpeed = 200; }, true, false, false, ""},
        {"downloadLimit", [](LauncherSettings& s) { s.downloadLimit = true; }, true, false, false, ""},
        {"predlcSpeed", [](LauncherSettings& s) { s.predlcSpeed = 200; }, false, true, false, ""},
        {"predlcLimit", [](LauncherSettings& s) { s.predlcLimit = true; }, false, true, false, ""},
        {"languageType", [](LauncherSettings& s) { s.languageType = 2; }, false, false, true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LauncherSettings live;
        LauncherSettings edited = live;
        c.edit(edited);
        FakeAutostart autostart;
        const SettingsChanges changes = ApplyEditedSettings(live, edited, autostart.Switch());
        EXPECT_TRUE(changes.changed);
        EXPECT_EQ(changes.speedChanged, c.speed);
        EXPECT_EQ(changes.predlcSpeedChanged, c.predlc);
        EXPECT_EQ(changes.languageChanged, c.language);
        EXPECT_EQ(changes.closeText, c.closeText);
        EXPECT_EQ(changes.autostartText, "");
        EXPECT_TRUE(autostart.calls.empty());
        edited.language = live.language;
        EXPECT_EQ(live, edited);
    }
}

TEST(ApplySettings, ClosingToExitReportsTwo) {
    LauncherSettings live;
    live.closeToHide = true;
    LauncherSettings edited = live;
    edited.closeToHide = false;
    FakeAutostart autostart;
    const SettingsChanges changes = ApplyEditedSettings(live, edited, autostart.Switch());
    EXPECT_EQ(changes.closeText, "2");
    EXPECT_EQ(changes.autostartText, "");
}

TEST(ApplySettings, LanguageCodeFollowsTheIndex) {
    for (const auto& [index, code] : std::vector<std::pair<int, const char*>>{
             {4, "zh_TW"}, {17, "ms"}, {18, "en"}, {-1, "en"}}) {
        SCOPED_TRACE(index);
        LauncherSettings live;
        live.languageType = 3;
        live.language = "ko";
        LauncherSettings edited = live;
        edited.languageType = index;
        FakeAutostart autostart;
        EXPECT_TRUE(ApplyEditedSettings(live, edited, autostart.Switch()).languageChanged);
        EXPECT_EQ(live.language, code);
    }
}

TEST(ApplySettings, AutostartStaysOnOnlyWhenWritten) {
    struct Case {
        bool from, to, writeSucceeds, result;
        const char* text;
    } const cases[] = {
        {false, true, true, true, "1"},
        {false, true, false, false, "0"},
        {true, false, true, false, "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << "->" << c.to << " write " << c.writeSucceeds);
        LauncherSettings live;
        live.automaticStart = c.from;
        LauncherSettings edited = live;
        edited.automaticStart = c.to;
        FakeAutostart autostart;
        autostart.writeSucceeds = c.writeSucceeds;
        const SettingsChanges changes = ApplyEditedSettings(live, edited, autostart.Switch());
        EXPECT_EQ(autostart.calls, std::vector<bool>{c.to});
        EXPECT_EQ(live.automaticStart, c.result);
        EXPECT_EQ(changes.autostartText, c.text);
        EXPECT_TRUE(changes.changed);
    }
}

TEST(ApplySettings, ReportsEffectiveCapsAndHoldsSpeedsToTheirRange) {
    LauncherSettings live;
    LauncherSettings edited = live;
    edited.downloadLimit = true;
    edited.downloadSpeed = 50000;
    edited.predlcSpeed = 7;
    FakeAutostart autostart;
    const SettingsChanges changes = ApplyEditedSettings(live, edited, autostart.Switch());
    EXPECT_EQ(live.downloadSpeed, kMaxSpeedCap);
    EXPECT_EQ(live.predlcSpeed, kMinSpeedCap);
    EXPECT_EQ(changes.downloadCap, kMaxSpeedCap);
    EXPECT_EQ(changes.predlcCap, 0);  // limit off: no cap, whatever the speed
}

}  // namespace
