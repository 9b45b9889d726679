#include "browser/cef_js_bridge.h"

#include <climits>

#include <gtest/gtest.h>

#include "base/message_loop.h"
#include "tests/base/thread_test_support.h"
#include "tests/browser/fake_runtime.h"

namespace {

using fake_runtime::FakeBrowser;
using fake_runtime::Journal;
using Lines = std::vector<std::string>;

TEST(CefJSBridge, PageCallIdsCountUpAndWrapToZeroWithoutOverflow) {
    EXPECT_EQ(zel_comp::NextPageCallbackId(0), 1);
    EXPECT_EQ(zel_comp::NextPageCallbackId(41), 42);
    EXPECT_EQ(zel_comp::NextPageCallbackId(INT_MAX), 0);
}

TEST(CefJSBridge, ALauncherFunctionOfTheBrowserComesBeforeOneForEveryBrowser) {
    kbase_test::Watchdog watchdog("bridge test");
    kbase_test::RegisteredThread ui(0);
    ASSERT_TRUE(ui.StartWithLoop(kbase::MessageLoop::kDefaultLoop));
    const CefRefPtr<CefBrowser> mine(new FakeBrowser("mine"));
    const CefRefPtr<CefBrowser> other(new FakeBrowser("other"));
    zel_comp::CefJSBridge bridge;
    auto answer = [](const char* who) {
        return [who](const std::string& parameters, zel_comp::CefJSBridge::ReportResult report) {
            Journal::Get().Add(std::string(who) + " " + parameters);
            report(false, "{}");
        };
    };
    EXPECT_TRUE(bridge.RegisterCppFunction("f", answer("any")));
    EXPECT_TRUE(bridge.RegisterCppFunction("f", answer("own"), mine->GetIdentifier()));
    EXPECT_FALSE(bridge.RegisterCppFunction("f", answer("again")));
    Journal::Get().Take();
    kbase_test::Event release;
    ui.LoopProxy()->PostTask([&] { release.Wait(); });  // the launcher functions wait on thread 0

    EXPECT_TRUE(bridge.HandleCallCppFunction("f", "{\"a\":1}", 0, mine));
    EXPECT_TRUE(bridge.HandleCallCppFunction("f", "[]", 1, other));
    // Unknown: the error goes back at once, from this thread.
    EXPECT_FALSE(bridge.HandleCallCppFunction("g", "{}", 2, other));
    EXPECT_EQ(Journal::Get().Take(), Lines{"other message ExecuteJsCallback"});
    release.Signal();
    ASSERT_TRUE(kbase_test::RunOn(ui.LoopProxy(), [] {}));
    EXPECT_EQ(Journal::Get().Take(), (Lines{"own {\"a\":1}", "mine message ExecuteJsCallback", "any []",
                                            "other message ExecuteJsCallback"}));
    ui.Stop();
}

}  // namespace
