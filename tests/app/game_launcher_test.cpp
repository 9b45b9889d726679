#include "app/game_launcher.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "base/unique_handle.h"

namespace {

TEST(WantsPlatformSuffix, OnlyForUnknownOrNewVersions) {
    struct Case {
        const char* version;
        bool suffix;
    } const cases[] = {
        {"", true},
        {"10077_0_0", true},
        {"10077_3_1", true},
        {"20000_1_1", true},
        {"10076_1_1", false},
        {"10077_1", false},          // two parts
        {"10077_1_2_3", false},      // four parts
        {"x_1_1", false},            // not a number
        {" 10077_1_1", false},
        {"99999999999_1_1", false},  // beyond 32 bits
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        EXPECT_EQ(WantsPlatformSuffix(c.version), c.suffix);
    }
}

TEST(BuildGameArguments, Md5OrEmptyThenThePlatformSuffix) {
    struct Case {
        const char* md5;
        const char* version;
        const wchar_t* platform;
        const wchar_t* want;
    } const cases[] = {
        {"0123456789abcdef0123456789abcdef", "", L"win", L"0123456789abcdef0123456789abcdef win 0|1"},
        {"", "10077_1_2", L"win", L"empty win 0|1"},
        {"", "10076_1_2", L"win", L"empty"},
        {"abc", "10077_1_2", L"abc", L"abc abc 0|1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.want);
        EXPECT_EQ(BuildGameArguments(c.md5, c.version, c.platform, 0), c.want);
    }
}

TEST(GameExecutablePath, JoinsTheGameFolder) {
    EXPECT_EQ(GameExecutablePath(L"C:\\Tarvenor Game"), L"C:\\Tarvenor Game\\KORU.exe");
    EXPECT_EQ(GameExecutablePath(L"C:\\g\\"), L"C:\\g\\KORU.exe");
}

TEST(IsGameRunning, FollowsTheGameMutexWithoutCreatingIt) {
    EXPECT_FALSE(IsGameRunning());
    EXPECT_FALSE(IsGameRunning());  // asking did not create the mutex
    std::vector<int> freeSlots;
    EXPECT_EQ(CountRunningGameInstances(freeSlots), 0);
    EXPECT_EQ(freeSlots, std::vector<int>{0});
    {
        kbase::ScopedHandle game(::CreateMutexW(nullptr, FALSE, L"_Koru_Instance_"));
        ASSERT_TRUE(game);
        EXPECT_TRUE(IsGameRunning());
        freeSlots.clear();
        EXPECT_EQ(CountRunningGameInstances(freeSlots), 1);
        EXPECT_TRUE(freeSlots.empty());
    }
    EXPECT_FALSE(IsGameRunning());
}

TEST(ParseGateResponse, TakesDownloadAndPreDownloadAddresses) {
    struct Case {
        const char* text;
        bool ok;
        std::vector<std::string> dlc;
        std::vector<std::string> preDlc;
        const char* error;  // checked when not null
    } const cases[] = {
        {R"({"DlcAddr": ["http://a/", "http://b/"]})", true, {"http://a/", "http://b/"}, {}, nullptr},
        {R"({"DlcAddr": "http://a/"})", true, {"http://a/"}, {}, nullptr},
        {R"({"DlcAddr": "http://a/", "Others": "{\"PreDlcAddr\": [\"http://p/\"]}"})", true, {"http://a/"},
         {"http://p/"}, nullptr},
        {R"({"DlcAddr": "http://a/", "Others": "not json"})", true, {"http://a/"}, {}, nullptr},
        {R"({"DlcAddr": "http://a/", "Others": 5})", true, {"http://a/"}, {}, nullptr},
        {R"({"Other": 1})", false, {}, {}, "Get DlcAddr failed"},
        {R"({"DlcAddr": [1, 2]})", false, {}, {}, "Get DlcAddr failed"},
        {"not json", false, {}, {}, nullptr},
        {"", false, {}, {}, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::vector<std::string> dlc{"stale"};
        std::vector<std::string> preDlc{"stale"};
        std::string error;
        EXPECT_EQ(ParseGateResponse(c.text, dlc, preDlc, error, true), c.ok);
        EXPECT_EQ(dlc, c.dlc);
        if (c.ok) {
            EXPECT_EQ(preDlc, c.preDlc);
        } else {
            EXPECT_FALSE(error.empty());
        }
        if (c.error) {
            EXPECT_EQ(error, c.error);
        }
    }
}

TEST(ParseGateResponse, LeavesPreDownloadAddressesAloneWhenNotWanted) {
    std::vector<std::string> dlc;
    std::vector<std::string> preDlc{"kept"};
    std::string error;
    EXPECT_TRUE(ParseGateResponse(R"({"DlcAddr": "a", "Others": "{\"PreDlcAddr\": \"p\"}"})", dlc, preDlc, error,
                                  false));
    EXPECT_EQ(preDlc, std::vector<std::string>{"kept"});
}

TEST(ParseInfoAddresses, ReadsTheAddressesInsideTheFirstInfoText) {
    struct Case {
        const char* text;
        bool ok;
        std::vector<std::string> addresses;
    } const cases[] = {
        {R"({"info": ["{\"TW_pc_addr\": [\"http://x/\", \"http://y/\"]}"]})", true, {"http://x/", "http://y/"}},
        {R"({"info": "{\"TW_pc_addr\": \"http://x/\"}"})", true, {"http://x/"}},
        {R"({"info": ["{\"CN_pc_addr\": \"http://x/\"}"]})", false, {}},
        {R"({"info": ["not json"]})", false, {}},
        {R"({"info": []})", false, {}},
        {R"({"nothing": 1})", false, {}},
        {"[", false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::vector<std::string> addresses{"stale"};
        std::string error;
        EXPECT_EQ(ParseInfoAddresses(c.text, addresses, error), c.ok);
        EXPECT_EQ(addresses, c.addresses);
    }
}

}  // namespace
