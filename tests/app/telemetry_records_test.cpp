#include "app/telemetry_records.h"

#include <string>

#include <gtest/gtest.h>
#include <json/json.h>

namespace {

TelemetryMachine Machine() {
    TelemetryMachine m;
    m.udid = "PC116062039270";
    m.machineGuid = "0f1e2d3c-aaaa-bbbb-cccc-000000000001";
    m.eventDate = "2024-03-05";
    m.eventTime = "07:08:09";
    m.unixSeconds = 1709622489;
    m.osVersion = "10.0.19045";
    m.cpuName = "Intel(R) Core(TM) i7-9700 CPU @ 3.00GHz";
    m.country = "TW";
    m.productName = "Windows 10 Pro";
    m.launcherFolder = "C:\\Games\\Launcher\\";
    m.gameDriveFreeBytes = 53687091200ull;  // 50 GiB
    return m;
}

TelemetryContext Context() {
    TelemetryContext c;
    c.language = "zh_TW";
    c.installPackageType = "full";
    c.gid = "gid-7";
    c.localGameVersion = "1_2_3";
    c.remoteGameVersion = "1_2_4";
    c.remoteMapVersion = "1_3_4";
    c.clientIp = "203.0.113.7";
    c.gamePath = L"C:\\Games\\Tarvenor Game";
    c.downloadSpeed = 4096;
    c.systemLanguage = "zh_TW";
    c.minSpeed = 1048576;   // 1 MiB/s
    c.maxSpeed = 3670016;   // 3.5 MiB/s
    c.minSpeedFile = "KORU_Data/a.bin";
    return c;
}

Json::Value Parse(const std::string& text) {
    Json::Value value;
    std::string errors;
    std::unique_ptr<Json::CharReader> reader(Json::CharReaderBuilder().newCharReader());
    EXPECT_TRUE(reader->parse(text.data(), text.data() + text.size(), &value, &errors)) << text;
    return value;
}

TEST(TelemetryRecords, UiClickGolden) {
    EXPECT_EQ(BuildUiClickRecord(Machine(), Context(), "community", "Discord_TW"),
              R"({"action":"discord_tw","event_date":"2024-03-05","event_time":"2024-03-05 07:08:09",)"
              R"("game_id":"10043","install_package_type":"full","log_type":"qzrolepcstarteruiclick",)"
              R"("pc_id":"PC116062039270","uitype":"community"})");
}

TEST(TelemetryRecords, EscapesQuotesBackslashesControlsAndKeepsUtf8) {
    struct Case { std::string action; std::string want; } const cases[] = {
        {"say \"HI\"", R"(say \"hi\")"},
        {"C:\\dir\\", R"(c:\\dir\\)"},
        {"a/b", "a/b"},
        {"\b\f\n\r\t", R"(\b\f\n\r\t)"},
        {std::string("\x01\x1f\0", 3), R"(\u0001\u001f\u0000)"},
        {"\x7f", "\x7f"},
        // UTF-8 passes as bytes; only ASCII letters are lower-cased.
        {"Caf\xC3\x89 \xE4\xB8\xAD\xF0\x9F\x98\x80", "caf\xC3\x89 \xE4\xB8\xAD\xF0\x9F\x98\x80"},
        // Malformed UTF-8 is replaced, never sent as stray bytes.
        {"a\xFF" "b", "a\xEF\xBF\xBD" "b"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.action));
        const std::string record = BuildUiClickRecord(Machine(), Context(), "t", c.action);
        EXPECT_EQ(record.substr(0, record.find("\",\"event_date\"")), "{\"action\":\"" + c.want);
    }
}

TEST(TelemetryRecords, LauncherDetailGolden) {
    // Transfer figures ride only on action ids 15, 17 and 22, compared as whole texts.
    EXPECT_EQ(BuildLauncherDetailRecord(Machine(), Context(), {"15", "1.500", "2.000", "30"}),
              R"({"action_id":"15","channel":"gid-7","country":"TW",)"
              R"("cpu":"Intel(R) Core(TM) i7-9700 CPU @ 3.00GHz","download_game_version":"1_2_4",)"
              R"("download_time":"30","event_date":"2024-03-05","event_time":"2024-03-05 07:08:09",)"
              R"("game_id":"10043","game_version":"1_2_3","highest_speed":"3.500",)"
              R"("idfa":"0f1e2d3c-aaaa-bbbb-cccc-000000000001","install_package_type":"full",)"
              R"("ip":"203.0.113.7","language":"zh_TW","log_type":"qzrolepclauncherdetail",)"
              R"("lowest_speed":"1.000","lowest_speed_location":"KORU_Data/a.bin",)"
              R"("machine_guid":"0f1e2d3c-aaaa-bbbb-cccc-000000000001","pkg":"com.tarvenor.launcher.pc.tw",)"
              R"("size":"2.000","speed":"1.500","system_type":"win","system_ver":"10.0.19045"})");

    TelemetryMachine noCountry = Machine();
    noCountry.country.reset();
    TelemetryContext noIp = Context();
    noIp.clientIp.clear();
    EXPECT_EQ(BuildLauncherDetailRecord(noCountry, noIp, {"23", "1.500", "2.000", "30"}),
              R"({"action_id":"23","channel":"gid-7",)"
              R"("cpu":"Intel(R) Core(TM) i7-9700 CPU @ 3.00GHz","download_game_version":"1_2_4",)"
              R"("event_date":"2024-03-05","event_time":"2024-03-05 07:08:09",)"
              R"("game_id":"10043","game_version":"1_2_3",)"
              R"("idfa":"0f1e2d3c-aaaa-bbbb-cccc-000000000001","install_package_type":"full",)"
              R"("ip":"","language":"zh_TW","log_type":"qzrolepclauncherdetail",)"
              R"("machine_guid":"0f1e2d3c-aaaa-bbbb-cccc-000000000001","pkg":"com.tarvenor.launcher.pc.tw",)"
              R"("system_type":"win","system_ver":"10.0.19045"})");

    struct Case { const char* actionId; bool figures; } const cases[] = {
        {"15", true}, {"17", true}, {"22", true}, {"13", false}, {"150", false}, {" 15", false}, {"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.actionId);
        const Json::Value record = Parse(BuildLauncherDetailRecord(Machine(), Context(), {c.actionId, "1", "2", "3"}));
        for (const char* key : {"speed", "size", "download_time", "lowest_speed", "highest_speed",
                                "lowest_speed_location"}) {
            EXPECT_EQ(record.isMember(key), c.figures) << key;
        }
    }
}

TEST(TelemetryRecords, LauncherGolden) {
    EXPECT_EQ(BuildLauncherRecord(Machine(), Context(), {"Print \"Me\"", "1.500", "2.000", "PAUSE", "Install"}),
              R"({"action_type":"pause","download_game_version":"1_3_4","event_date":"2024-03-05",)"
              R"("event_time":"2024-03-05 07:08:09","game_id":"10043","game_version":"1_2_3",)"
              R"("highest_speed":"3.500","install_game_path":"C:\\Games\\Tarvenor Game",)"
              R"("install_launcher_path":"C:\\Games\\Launcher\\","install_package_type":"full",)"
              R"("ip":"203.0.113.7","language":"zh_TW","left_capacity":"50.000","limit_speed":"4096",)"
              R"("log_type":"qzrolepclauncher","lowest_speed":"1.000","lowest_speed_location":"KORU_Data/a.bin",)"
              R"("machine_guid":"0f1e2d3c-aaaa-bbbb-cccc-000000000001","pc_id":"PC116062039270",)"
              R"("print_info":"Print \"Me\"","size":"2.000","speed":"1.500","step":"install",)"
              R"("system":"Windows 10 Pro","system_language":"zh_TW"})");
}

TEST(TelemetryRecords, LauncherNonAsciiPathAndUnknownFreeSpace) {
    TelemetryMachine machine = Machine();
    machine.gameDriveFreeBytes.reset();
    TelemetryContext context = Context();
    context.gamePath = L"D:\\\u904a\u6232";
    const Json::Value record = Parse(BuildLauncherRecord(machine, context, {}));
    EXPECT_EQ(record["install_game_path"].asString(), "D:\\\xE9\x81\x8A\xE6\x88\xB2");
    EXPECT_EQ(record["left_capacity"].asString(), "");
}

TEST(TelemetryRecords, LauncherPreInstallStep) {
    struct Case {
        const char* step; const char* printInfo; const char* preDownloadVersion; bool gameRunning;
        const char* wantInstallPlay;  // nullptr: member absent
        const char* wantPrintInfo;
    } const cases[] = {
        {"PRE_INSTALL", "rungame", "1_2_5", false, "1", ""},   // game starting
        {"pre_install", "", "1_2_5", true, "1", ""},           // game already running
        {"pre_install", "", "1_2_5", false, "0", ""},
        {"pre_install", "RunGame", "1_2_5", false, "0", "RunGame"},  // exact, case-sensitive
        {"pre_install", "rungame", "", false, "-1", ""},
        {"pre_install", "rungame", "1_2_3", false, "-1", ""},  // the installed version: not newer
        {"pre_install", "rungame", "1_1_3", false, "-1", ""},
        {"pre_install", "x", "garbage", true, "-1", "x"},
        {"install", "rungame", "1_2_5", true, nullptr, "rungame"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.step) + "/" + c.printInfo + "/" + c.preDownloadVersion);
        TelemetryContext context = Context();
        context.remoteGameVersion = context.localGameVersion;  // the game is up to date
        context.remotePreDownloadVersion = c.preDownloadVersion;
        context.gameRunning = c.gameRunning;
        const Json::Value record = Parse(BuildLauncherRecord(Machine(), context, {c.printInfo, "", "", "", c.step}));
        EXPECT_EQ(record["step"].asString(), std::string(c.step) == "install" ? "install" : "pre_install");
        EXPECT_EQ(record["print_info"].asString(), c.wantPrintInfo);
        if (c.wantInstallPlay) {
            EXPECT_EQ(record["if_install_play"].asString(), c.wantInstallPlay);
        } else {
            EXPECT_FALSE(record.isMember("if_install_play"));
        }
    }
}

TEST(TelemetryRecords, SettingsGolden) {
    EXPECT_EQ(BuildSettingsRecord(Machine(), Context(), {"1", "2", 4096, 0}),
              R"({"close_set":"2","event_date":"2024-03-05","event_time":"2024-03-05 07:08:09",)"
              R"("game_id":"10043","if_autostart":"1","install_package_type":"full",)"
              R"("install_speed_limit":"4096","language":"zh_TW","log_type":"qzrolepcstartersetting",)"
              R"("machine_guid":"0f1e2d3c-aaaa-bbbb-cccc-000000000001","pc_id":"PC116062039270",)"
              R"("pre_install_speed_limit":"0"})");
    // Only the caps changed: neither optional member.
    EXPECT_EQ(BuildSettingsRecord(Machine(), Context(), {"", "", -1, 2147483647}),
              R"({"event_date":"2024-03-05","event_time":"2024-03-05 07:08:09",)"
              R"("game_id":"10043","install_package_type":"full",)"
              R"("install_speed_limit":"-1","language":"zh_TW","log_type":"qzrolepcstartersetting",)"
              R"("machine_guid":"0f1e2d3c-aaaa-bbbb-cccc-000000000001","pc_id":"PC116062039270",)"
              R"("pre_install_speed_limit":"2147483647"})");
}

TEST(TelemetryRecords, ActivityQueryGolden) {
    const std::string common =
        "activity_kind=pc_starter&install_package_type=full&uuid=0f1e2d3c-aaaa-bbbb-cccc-000000000001"
        "&gid=gid-7&app_version=1_2_3&app_id=com.tarvenor.launcher.pc.tw&app_name=com.tarvenor.launcher.pc.tw"
        "&package_name=com.tarvenor.launcher.pc.tw&created_at=1709622489&store=pc&game_id=_TVN_GAME_TW"
        "&ip_address=203.0.113.7&language=zh_TW&os_version=10.0.19045";
    const std::string cpu = "&cpu_type=Intel%28R%29%20Core%28TM%29%20i7-9700%20CPU%20%40%203.00GHz";

    struct Case { ActivityArgs args; std::string want; } const cases[] = {
        {{"click_launch_pause_game", "1.500", "2.000", "30"},
         common + "&event_name=click_launch_pause_game&event_value1=1.500&event_value2=2.000&event_value3=30" + cpu},
        {{"download_game_finish", "", "", ""},
         common + "&event_name=download_game_finish&event_value1=&event_value2=&event_value3=" + cpu},
        {{"update_game_finish", "1", "2", "3"},
         common + "&event_name=update_game_finish&event_value1=1&event_value2=2&event_value3=3" + cpu},
        {{"click_launch_start_open", "0", "0", "0"}, common + "&event_name=click_launch_start_open" + cpu},
        {{"Click_Launch_Pause_Game", "1", "2", "3"}, common + "&event_name=Click_Launch_Pause_Game" + cpu},
        // Values that would break the query are encoded.
        {{"a b&c=d", "x", "y", "z"}, common + "&event_name=a%20b%26c%3Dd" + cpu},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.eventName);
        EXPECT_EQ(BuildActivityQuery(Machine(), Context(), c.args), c.want);
    }

    TelemetryContext context = Context();
    context.clientIp = "2001:db8::1";
    context.gid = "g&id";
    const std::string query = BuildActivityQuery(Machine(), context, {"e", "", "", ""});
    EXPECT_NE(query.find("&gid=g%26id&"), std::string::npos) << query;
    EXPECT_NE(query.find("&ip_address=2001%3Adb8%3A%3A1&"), std::string::npos) << query;
}

TEST(TelemetryRecords, SpeedAndSizeFiguresInSinglePrecision) {
    struct Case { std::int64_t bytesPerSecond; const char* want; } const speeds[] = {
        {0, "0.000"},
        {1048576, "1.000"},
        {1572864, "1.500"},
        {1024, "0.001"},
        {100000000000, "95367.430"},  // the reset value, rounded to single precision first
    };
    for (const auto& c : speeds) {
        SCOPED_TRACE(c.bytesPerSecond);
        EXPECT_EQ(FormatSpeedMiB(c.bytesPerSecond), c.want);
    }
    EXPECT_EQ(FormatSizeGiB(0), "0.000");
    EXPECT_EQ(FormatSizeGiB(1610612736), "1.500");
    EXPECT_EQ(FormatSizeGiB(5000000000000ull), "4656.613");
}

}  // namespace
