#include "app/telemetry_senders.h"

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <json/json.h>

#include "app/machine_identity.h"
#include "app/system_info.h"

namespace {

struct Sent {
    std::string route;  // "post", "track-now", "track-queued" or "activity"
    std::string text;
};

class RecordingSink : public TelemetrySink {
public:
    void PostJson(const std::string& body) override { sent.push_back({"post", body}); }
    void Track(const std::string& body, bool now) override {
        sent.push_back({now ? "track-now" : "track-queued", body});
    }
    void TrackActivity(const std::string& query) override { sent.push_back({"activity", query}); }

    std::vector<Sent> sent;
};

Json::Value Parse(const std::string& text) {
    Json::Value value;
    std::string errors;
    std::unique_ptr<Json::CharReader> reader(Json::CharReaderBuilder().newCharReader());
    EXPECT_TRUE(reader->parse(text.data(), text.data() + text.size(), &value, &errors)) << text;
    return value;
}

TEST(TelemetrySenders, EachRecordTakesItsRoute) {
    TelemetryContext context;
    context.gamePath = L"C:\\Games";
    struct Case {
        std::function<void(TelemetrySink&)> send;
        const char* route;
        const char* logType;  // nullptr for the activity query
    } const cases[] = {
        {[&](TelemetrySink& s) { SendUiClickEvent(context, "click_button", "install", s); }, "track-queued",
         "qzrolepcstarteruiclick"},
        {[&](TelemetrySink& s) { SendLauncherDetailEvent(context, {"13", "0", "0", "0"}, s); }, "post",
         "qzrolepclauncherdetail"},
        {[&](TelemetrySink& s) { SendLauncherEvent(context, {}, true, s); }, "track-now", "qzrolepclauncher"},
        {[&](TelemetrySink& s) { SendLauncherEvent(context, {}, false, s); }, "track-queued", "qzrolepclauncher"},
        {[&](TelemetrySink& s) { SendSettingsEvent(context, {"1", "", 0, 0}, s); }, "track-queued",
         "qzrolepcstartersetting"},
        {[&](TelemetrySink& s) { SendActivityEvent(context, {"click_launch_start_open", "0", "0", "0"}, s); },
         "activity", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.route + std::string("/") + (c.logType ? c.logType : "activity"));
        RecordingSink sink;
        c.send(sink);
        ASSERT_EQ(sink.sent.size(), 1u);
        EXPECT_EQ(sink.sent[0].route, c.route);
        if (c.logType) {
            EXPECT_EQ(Parse(sink.sent[0].text)["log_type"].asString(), c.logType);
        } else {
            EXPECT_EQ(sink.sent[0].text.rfind("activity_kind=pc_starter&", 0), 0u);
        }
    }
}

TEST(TelemetrySenders, RecordsCarryThisMachinesValues) {
    const TelemetryMachine machine = ReadTelemetryMachine(L"C:\\Games");
    EXPECT_EQ(machine.udid, GetUdid());  // ASCII computer names read the same in UTF-8
    EXPECT_EQ(machine.machineGuid, GetMachineGuid());
    EXPECT_EQ(machine.eventDate.size(), 10u);
    EXPECT_EQ(machine.eventTime.size(), 8u);
    EXPECT_GT(machine.unixSeconds, 1700000000);
    ASSERT_FALSE(machine.launcherFolder.empty());
    EXPECT_EQ(machine.launcherFolder.back(), '\\');
    EXPECT_TRUE(machine.gameDriveFreeBytes.has_value());
    EXPECT_FALSE(ReadTelemetryMachine(L"\\\\server\\share\\Games").gameDriveFreeBytes.has_value());

    TelemetryContext context;
    context.gamePath = L"C:\\Games";
    RecordingSink sink;
    SendLauncherEvent(context, {"", "", "", "done", "install"}, true, sink);
    ASSERT_EQ(sink.sent.size(), 1u);
    const Json::Value record = Parse(sink.sent[0].text);
    EXPECT_EQ(record["pc_id"].asString(), GetUdid());
    EXPECT_EQ(record["machine_guid"].asString(), GetMachineGuid());
    EXPECT_EQ(record["system_ver"].asString(), "");  // not a member of this record
    EXPECT_EQ(record["install_launcher_path"].asString(), machine.launcherFolder);
    EXPECT_NE(record["left_capacity"].asString(), "");
}

}  // namespace
