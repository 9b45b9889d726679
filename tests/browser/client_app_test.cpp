#include "browser/client_app.h"

#include <gtest/gtest.h>

#include "tests/browser/fake_runtime.h"

namespace {

// Records the switches added to it.
class RecordingCommandLine : public CefCommandLine, public zel_comp::RefCounted<RecordingCommandLine> {
public:
    void AppendSwitch(const CefString& name) override { switches.push_back(name.ToString()); }
    void AppendSwitchWithValue(const CefString& name, const CefString& value) override {
        switches.push_back(name.ToString() + "=" + value.ToString());
    }
    bool HasSwitch(const CefString&) override { return false; }
    CefString GetSwitchValue(const CefString&) override { return CefString(); }
    CefString GetCommandLineString() override { return CefString(); }

    std::vector<std::string> switches;
};

TEST(ClientApp, AddsTheLaunchersSwitchesToTheBrowserProcessOnly) {
    const CefRefPtr<zel_comp::ClientApp> app(new zel_comp::ClientApp());
    const CefRefPtr<RecordingCommandLine> browser(new RecordingCommandLine());
    app->OnBeforeCommandLineProcessing("", browser);
    EXPECT_EQ(browser->switches,
              (std::vector<std::string>{"ppapi-flash-version=20.0.0.228", "ppapi-flash-path=PepperFlash\\pepflashplayer.dll",
                                        "process-per-site", "disable-gpu", "disable-gpu-compositing",
                                        "disable-surfaces", "enable-begin-frame-scheduling"}));
    for (const char* type : {"renderer", "gpu-process", "utility"}) {
        const CefRefPtr<RecordingCommandLine> other(new RecordingCommandLine());
        app->OnBeforeCommandLineProcessing(type, other);
        EXPECT_TRUE(other->switches.empty()) << type;
    }
}

TEST(ClientApp, KeepsCookiesForHttpThenHttpsOnEachRegistration) {
    const CefRefPtr<zel_comp::ClientApp> app(new zel_comp::ClientApp());
    app->OnRegisterCustomSchemes(nullptr);
    EXPECT_EQ(app->GetCookieableSchemes(), (std::vector<CefString>{"http", "https"}));
    app->OnRegisterCustomSchemes(nullptr);
    EXPECT_EQ(app->GetCookieableSchemes().size(), 4u);
    EXPECT_EQ(app->GetBrowserProcessHandler().get(), static_cast<CefBrowserProcessHandler*>(app.get()));
    EXPECT_EQ(app->GetRenderProcessHandler().get(), static_cast<CefRenderProcessHandler*>(app.get()));
}

}  // namespace
