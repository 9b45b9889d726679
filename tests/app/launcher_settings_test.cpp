#include "app/launcher_settings.h"

#include <gtest/gtest.h>

#include "tests/app/scratch_folder.h"

namespace {

// Exactly what a first run leaves on disk: sorted members, tab indentation, no final newline.
TEST(SettingsFiles, FirstRunFilesHaveExactText) {
    ScratchFolder folder;
    LauncherSettings settings;
    settings.gamePath = L"C:\\Games\\Tarvenor Game";
    ASSERT_TRUE(WriteSettingsFile(folder.Child(L"EnvConfig.json"), settings));
    EXPECT_EQ(ReadWholeFile(folder.Child(L"EnvConfig.json")),
              "{\n"
              "\t\"autoUpdate\" : true,\n"
              "\t\"automaticStart\" : false,\n"
              "\t\"closeToHide\" : false,\n"
              "\t\"downloadLimit\" : false,\n"
              "\t\"downloadSpeed\" : 4096,\n"
              "\t\"gamePath\" : \"C:\\\\Games\\\\Tarvenor Game\",\n"
              "\t\"languageType\" : 0,\n"
              "\t\"predlcLimit\" : false,\n"
              "\t\"predlcSpeed\" : 4096\n"
              "}");

    ASSERT_TRUE(WriteDownloadLogFile(folder.Child(L"Log.json"), DownloadLog{}));
    EXPECT_EQ(ReadWholeFile(folder.Child(L"Log.json")),
              "{\n"
              "\t\"downloadSize\" : 0,\n"
              "\t\"downloadSpeed\" : 0,\n"
              "\t\"downloadTime\" : 0,\n"
              "\t\"downloadVersion\" : \"\",\n"
              "\t\"firstInstall\" : true\n"
              "}");
}

TEST(SettingsFiles, RoundTripKeepsEveryStoredField) {
    ScratchFolder folder;
    LauncherSettings written;
    written.languageType = 13;
    written.language = "ar";
    written.gamePath = L"D:\\\u904a\u6232 \"x\"\\Tarvenor";  // non-ASCII, quote, backslashes
    written.closeToHide = true;
    written.autoUpdate = false;
    written.downloadLimit = true;
    written.downloadSpeed = 100;
    written.predlcLimit = true;
    written.predlcSpeed = 10240;
    written.automaticStart = true;
    ASSERT_TRUE(WriteSettingsFile(folder.Child(L"EnvConfig.json"), written));
    LauncherSettings read;
    ASSERT_TRUE(ReadSettingsFile(folder.Child(L"EnvConfig.json"), read));
    read.language = written.language;  // not stored: it follows languageType
    EXPECT_EQ(read, written);

    DownloadLog log{false, 18446744073709551615ULL, 9223372036854775808ULL, 42, "10077_3_5"};
    ASSERT_TRUE(WriteDownloadLogFile(folder.Child(L"Log.json"), log));
    DownloadLog back;
    ASSERT_TRUE(ReadDownloadLogFile(folder.Child(L"Log.json"), back));
    EXPECT_EQ(back, log);
}

// Each member is taken only when it has its type (and range); the rest of the file still loads.
TEST(SettingsFiles, ReadsOnlyWellTypedMembers) {
    LauncherSettings before;
    before.languageType = 2;
    before.gamePath = L"C:\\before";
    before.downloadSpeed = 500;
    before.autoUpdate = false;

    struct Case {
        const char* text;
        bool parsed;
        LauncherSettings want;
    };
    auto with = [&](auto change) {
        LauncherSettings s = before;
        change(s);
        return s;
    };
    const Case cases[] = {
        {"", false, before},
        {"not json", false, before},
        {"{\"languageType\": 3", false, before},
        {"[1, 2]", false, before},
        {"7", false, before},
        {"{}", true, before},
        {"{\"languageType\": \"4\", \"closeToHide\": true}", true,
         with([](LauncherSettings& s) { s.closeToHide = true; })},
        {"{\"languageType\": 4.0, \"autoUpdate\": true}", true,
         with([](LauncherSettings& s) { s.languageType = 4; s.autoUpdate = true; })},
        {"{\"languageType\": 4.5}", true, before},
        // Any index is kept; where it is used, one outside the table means "en".
        {"{\"languageType\": 18}", true, with([](LauncherSettings& s) { s.languageType = 18; })},
        {"{\"languageType\": -1}", true, with([](LauncherSettings& s) { s.languageType = -1; })},
        {"{\"languageType\": 4294967296}", true, before},
        {"{\"gamePath\": 5, \"closeToHide\": 1, \"autoUpdate\": \"true\"}", true, before},
        {"{\"gamePath\": null, \"downloadLimit\": null}", true, before},
        {"{\"gamePath\": \"E:\\\\\\u904a\"}", true,
         with([](LauncherSettings& s) { s.gamePath = L"E:\\\u904a"; })},
        {"{\"downloadSpeed\": 20000, \"predlcSpeed\": 50}", true,
         with([](LauncherSettings& s) { s.downloadSpeed = 10240; s.predlcSpeed = 100; })},
        {"{\"downloadSpeed\": -5}", true, with([](LauncherSettings& s) { s.downloadSpeed = 100; })},
        {"{\"downloadSpeed\": \"800\", \"predlcSpeed\": true}", true, before},
        {"{\"downloadLimit\": true, \"predlcLimit\": true, \"automaticStart\": true}", true,
         with([](LauncherSettings& s) { s.downloadLimit = s.predlcLimit = s.automaticStart = true; })},
        {"{\"automaticStart\": {}, \"predlcLimit\": []}", true, before},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ScratchFolder folder;
        folder.WriteFile(L"EnvConfig.json", c.text);
        LauncherSettings settings = before;
        EXPECT_EQ(ReadSettingsFile(folder.Child(L"EnvConfig.json"), settings), c.parsed);
        EXPECT_EQ(settings, c.want);
    }
    LauncherSettings untouched = before;
    EXPECT_FALSE(ReadSettingsFile(L"C:\\no\\such\\EnvConfig.json", untouched));
    EXPECT_EQ(untouched, before);
}

TEST(SettingsFiles, ReadsOnlyNonNegativeWholeCounts) {
    const DownloadLog before{false, 7, 8, 9, "v"};
    struct Case {
        const char* text;
        bool parsed;
        DownloadLog want;
    } const cases[] = {
        {"[]", false, before},
        {"{}", true, before},
        {"{\"downloadSize\": -1, \"downloadSpeed\": 1.5, \"downloadTime\": \"3\"}", true, before},
        {"{\"downloadSize\": 1e3, \"downloadSpeed\": 0, \"downloadTime\": 18446744073709551615}", true,
         {false, 1000, 0, 18446744073709551615ULL, "v"}},
        {"{\"downloadSize\": 18446744073709551616}", true, before},
        {"{\"firstInstall\": \"true\", \"downloadVersion\": 10077}", true, before},
        {"{\"firstInstall\": true, \"downloadVersion\": \"1_2_3\"}", true, {true, 7, 8, 9, "1_2_3"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ScratchFolder folder;
        folder.WriteFile(L"Log.json", c.text);
        DownloadLog log = before;
        EXPECT_EQ(ReadDownloadLogFile(folder.Child(L"Log.json"), log), c.parsed);
        EXPECT_EQ(log, c.want);
    }
}

}  // namespace
