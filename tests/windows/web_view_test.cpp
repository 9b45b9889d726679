#include "windows/web_view.h"

#include <memory>

#include <gtest/gtest.h>

#include "windows/cef_dummy_control.h"

namespace {

TEST(ActivityPageAddress, TheEndpointFileWinsElseTheGateAddressWithTheLanguage) {
    struct Case {
        const char* activityUrl;
        const char* gateAddress;
        const char* languageCode;
        const char* want;
    } const cases[] = {
        {"http://a/page?x=1", "http://gate/activity?p=2", "zh_TW", "http://a/page?x=1"},  // unchanged, no language
        {"", "http://gate/activity?p=2", "zh_TW", "http://gate/activity?p=2&lang=zh_TW"},
        {"", "http://gate/activity?p=2", "", "http://gate/activity?p=2&lang=en"},
        {"", "", "zh_TW", ""},  // no address yet: nothing to load
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.want);
        EXPECT_EQ(ActivityPageAddress(c.activityUrl, c.gateAddress, c.languageCode), c.want);
    }
}

TEST(WebViewControl, IsTheDummyWhileTheBrowserRuntimeIsNotRunning) {
    const std::unique_ptr<ui::Control> control = CreateWebViewControl();
    EXPECT_NE(dynamic_cast<MainComponents::CefDummyControl*>(control.get()), nullptr);
}

}  // namespace
