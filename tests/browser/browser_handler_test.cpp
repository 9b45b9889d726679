#include "browser/browser_handler.h"

#include <gtest/gtest.h>

#include "base/message_loop.h"
#include "browser/cef_manager.h"
#include "tests/base/thread_test_support.h"
#include "tests/browser/fake_runtime.h"

namespace {

using fake_runtime::FakeBrowser;
using fake_runtime::Journal;
using fake_runtime::RuntimeThread;
using Lines = std::vector<std::string>;

// A delegate that records what reaches it and answers the questions as told.
class RecordingDelegate : public zel_comp::BrowserHandler::HandlerDelegate {
public:
    void OnPaint(CefRefPtr<CefBrowser>, CefPaintElementType type, const std::vector<CefRect>&,
                 const std::string* buffer, int width, int height) override {
        Note("paint " + std::to_string(type) + " " + std::to_string(width) + "x" + std::to_string(height) + " " +
             std::to_string(buffer->size()) + " " + buffer->substr(0, 1));
    }
    void OnPopupShow(CefRefPtr<CefBrowser>, bool) override {}
    void OnPopupSize(CefRefPtr<CefBrowser>, const CefRect&) override {}
    void UpdateWindowPos() override {}
    void OnBeforeContextMenu(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, CefRefPtr<CefContextMenuParams>,
                             CefRefPtr<CefMenuModel>) override {}
    bool OnContextMenuCommand(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, CefRefPtr<CefContextMenuParams>, int,
                              std::uint32_t) override {
        return false;
    }
    void OnAddressChange(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, const CefString&) override {}
    void OnTitleChange(CefRefPtr<CefBrowser>, const CefString& title) override { Note("title " + title.ToString()); }
    void OnLoadingStateChange(CefRefPtr<CefBrowser>, bool, bool, bool) override {}
    void OnLoadStart(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>) override {}
    void OnLoadEnd(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, int) override {}
    void OnLoadError(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, CefErrorCode, const CefString&,
                     const CefString&) override {}
    bool OnBeforePopup(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, const CefString& url, const CefString&,
                       CefWindowOpenDisposition, bool, const CefPopupFeatures&, CefWindowInfo&, CefRefPtr<CefClient>&,
                       CefBrowserSettings&, bool*) override {
        Note("popup " + url.ToString());
        return popupAnswer;
    }
    void OnAfterCreated(CefRefPtr<CefBrowser>) override { Note("created"); }
    void OnBeforeClose(CefRefPtr<CefBrowser>) override { Note("closed"); }
    bool OnBeforeBrowse(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, CefRefPtr<CefRequest>, bool) override {
        if (whileAsked) whileAsked();
        return true;
    }
    void OnProtocolExecution(CefRefPtr<CefBrowser>, const CefString&, bool&) override {}
    CefReturnValue OnBeforeResourceLoad(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, CefRefPtr<CefRequest>,
                                        CefRefPtr<CefRequestCallback>) override {
        return RV_CANCEL;
    }
    void OnRenderProcessTerminated(CefRefPtr<CefBrowser>, CefTerminationStatus) override {}
    void OnBeforeDownload(CefRefPtr<CefBrowser>, CefRefPtr<CefDownloadItem>, const CefString&,
                          CefRefPtr<CefBeforeDownloadCallback>) override {}
    void OnDownloadUpdated(CefRefPtr<CefBrowser>, CefRefPtr<CefDownloadItem>, CefRefPtr<CefDownloadItemCallback>) override {}
    bool OnFileDialog(CefRefPtr<CefBrowser>, CefFileDialogMode, const CefString&, const CefString&,
                      const std::vector<CefString>&, int, CefRefPtr<CefFileDialogCallback>) override {
        return true;
    }
    bool OnCallCppFunction(const CefString& name, const CefString& parameters, int id, CefRefPtr<CefBrowser>) override {
        Note("call " + name.ToString() + " " + parameters.ToString() + " " + std::to_string(id));
        return true;
    }
    bool OnExecuteCppCallback(int id, const CefString& result) override {
        Note("callback " + std::to_string(id) + " " + result.ToString());
        return true;
    }

    void Note(const std::string& line) { Journal::Get().Add("delegate " + line); }

    bool popupAnswer = true;
    std::function<void()> whileAsked;
};

class QuotaCallback : public CefRequestCallback, public zel_comp::RefCounted<QuotaCallback> {
public:
    void Continue(bool allow) override { Journal::Get().Add(allow ? "quota allowed" : "quota denied"); }
    void Cancel() override { Journal::Get().Add("quota cancelled"); }
};

// Thread 0 with its loop, the handler and a delegate made and dropped there, as a control does.
class BrowserHandlerTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ui_.StartWithLoop(kbase::MessageLoop::kDefaultLoop));
        OnUi([this] {
            handler_ = new zel_comp::BrowserHandler();
            delegate_ = std::make_unique<RecordingDelegate>();
            handler_->SetDelegate(delegate_.get());
        });
        Journal::Get().Take();
    }
    void TearDown() override {
        OnUi([this] {
            handler_->SetDelegate(nullptr);
            delegate_.reset();
            handler_ = nullptr;
        });
        ui_.Stop();
        EXPECT_EQ(zel_comp::CefManager::GetInstance().GetBrowserCount(), 0);
        Journal::Get().Take();
    }

    void OnUi(std::function<void()> task) { ASSERT_TRUE(kbase_test::RunOn(ui_.LoopProxy(), std::move(task))); }
    void OnRuntime(std::function<void()> task) { ASSERT_TRUE(RuntimeThread::Get().Run(std::move(task))); }
    // Lets the runtime thread, then thread 0 run what is queued on them.
    void Settle() {
        OnRuntime([] {});
        OnUi([] {});
    }
    CefRefPtr<CefBrowser> Create(const std::string& name) {
        CefRefPtr<CefBrowser> browser(new FakeBrowser(name));
        OnRuntime([&] { handler_->OnAfterCreated(browser); });
        Settle();
        return browser;
    }
    void Close(CefRefPtr<CefBrowser> browser) {
        OnRuntime([&] { handler_->OnBeforeClose(browser); });
        Settle();
    }

    kbase_test::Watchdog watchdog_{"browser handler test"};
    kbase_test::RegisteredThread ui_{0};
    CefRefPtr<zel_comp::BrowserHandler> handler_;
    std::unique_ptr<RecordingDelegate> delegate_;
};

TEST_F(BrowserHandlerTest, TheNewestBrowserIsMainAndAClosedMainGivesWayToTheNewestLeft) {
    const CefRefPtr<CefBrowser> first = Create("first");
    const CefRefPtr<CefBrowser> second = Create("second");
    const CefRefPtr<CefBrowser> third = Create("third");
    EXPECT_EQ(Journal::Get().Take(), (Lines{"delegate created", "first hidden", "delegate created", "second hidden",
                                            "delegate created"}));
    EXPECT_EQ(zel_comp::CefManager::GetInstance().GetBrowserCount(), 3);

    Close(second);  // not the main browser: nothing moves
    EXPECT_EQ(handler_->GetMainBrowser(), third);
    Close(third);
    EXPECT_EQ(handler_->GetMainBrowser(), first);
    Close(first);
    EXPECT_EQ(handler_->GetMainBrowser(), nullptr);
    EXPECT_EQ(Journal::Get().Take(), (Lines{"delegate closed", "first shown", "first reload", "delegate closed",
                                            "delegate closed"}));
}

TEST_F(BrowserHandlerTest, AfterCreatedTasksWaitForTheNextBrowserAndRunInOrder) {
    std::string ran;
    OnUi([&] {
        handler_->QueueAfterCreatedTask([&] { ran += "a"; });
        const auto cancel = handler_->QueueAfterCreatedTask([&] { ran += "b"; });
        handler_->QueueAfterCreatedTask([&] { ran += "c"; });
        cancel();
    });
    const CefRefPtr<CefBrowser> browser = Create("main");
    EXPECT_EQ(ran, "ac");
    Close(browser);
}

TEST_F(BrowserHandlerTest, PopupsNeverOpenAWindowAndLoadInTheMainBrowserWhenAllowed) {
    auto popup = [this](const char* url) {
        bool result = false;
        OnRuntime([&] {
            CefWindowInfo info;
            CefRefPtr<CefClient> client;
            CefBrowserSettings settings;
            result = handler_->OnBeforePopup(nullptr, nullptr, url, "", WOD_NEW_FOREGROUND_TAB, true,
                                             CefPopupFeatures(), info, client, settings, nullptr);
        });
        EXPECT_TRUE(result);
    };
    popup("http://before/");  // no browser yet
    const CefRefPtr<CefBrowser> browser = Create("main");
    Journal::Get().Take();
    popup("");
    popup("http://asked/");
    delegate_->popupAnswer = false;
    popup("http://refused/");
    OnUi([this] { handler_->SetDelegate(nullptr); });
    popup("http://alone/");
    EXPECT_EQ(Journal::Get().Take(), (Lines{"delegate popup http://asked/", "main load http://asked/",
                                            "delegate popup http://refused/", "main load http://alone/"}));
    Close(browser);
}

TEST_F(BrowserHandlerTest, QuotaUpTo20MiBIsGrantedAtOnce) {
    CefRefPtr<CefRequestCallback> callback(new QuotaCallback());
    EXPECT_TRUE(handler_->OnQuotaRequest(nullptr, "http://a/", 20971520, callback));
    EXPECT_TRUE(handler_->OnQuotaRequest(nullptr, "http://a/", 20971521, callback));
    EXPECT_EQ(Journal::Get().Take(), (Lines{"quota allowed", "quota denied"}));
}

TEST_F(BrowserHandlerTest, FramesGrowTheBufferAndTheDelegateSeesTheLatest) {
    std::string big(800 * 600 * 4, 'a');
    std::string small(400 * 300 * 4, 'b');
    OnRuntime([&] {
        handler_->OnPaint(nullptr, PET_VIEW, {}, big.data(), 800, 600);
        handler_->OnPaint(nullptr, PET_VIEW, {}, nullptr, 800, 600);
        handler_->OnPaint(nullptr, PET_VIEW, {}, big.data(), -800, 600);
        handler_->OnPaint(nullptr, PET_VIEW, {}, big.data(), 70000, 70000);
    });
    Settle();
    OnRuntime([&] { handler_->OnPaint(nullptr, PET_VIEW, {}, small.data(), 400, 300); });
    Settle();
    EXPECT_EQ(Journal::Get().Take(), (Lines{"delegate paint 0 800x600 1920001 a", "delegate paint 0 400x300 1920001 b"}));
}

TEST_F(BrowserHandlerTest, NotificationsForAGoneDelegateAreSkipped) {
    OnUi([this] {
        // Queued behind this task: the title is posted while the delegate still lives.
        RuntimeThread::Get().Run([this] { handler_->OnTitleChange(nullptr, "late"); });
        handler_->SetDelegate(nullptr);
        delegate_.reset();
    });
    Settle();
    EXPECT_EQ(Journal::Get().Take(), Lines{});
}

TEST_F(BrowserHandlerTest, ABrowserArrivingAfterItsControlWentIsClosed) {
    OnUi([this] { handler_->SetDelegate(nullptr); });
    const CefRefPtr<CefBrowser> browser = Create("orphan");
    EXPECT_EQ(Journal::Get().Take(), Lines{"orphan close forced"});
    EXPECT_EQ(zel_comp::CefManager::GetInstance().GetBrowserCount(), 1);
    Close(browser);
    EXPECT_EQ(zel_comp::CefManager::GetInstance().GetBrowserCount(), 0);
}

TEST_F(BrowserHandlerTest, RuntimeCallsNeverWaitForABusyUiThread) {
    const CefRefPtr<CefBrowser> browser = Create("main");
    kbase_test::Event release;
    ui_.LoopProxy()->PostTask([&] { release.Wait(); });  // thread 0 busy from here on
    std::string frame(4 * 4, 'x');
    OnRuntime([&] {
        CefRect rect;
        handler_->GetViewRect(browser, rect);
        handler_->OnPaint(browser, PET_VIEW, {}, frame.data(), 2, 2);
        handler_->OnTitleChange(browser, "busy");
        handler_->SetViewBounds(RECT{0, 0, 10, 10});
        handler_->GetMainBrowser();
    });
    release.Signal();
    Settle();
    Close(browser);
}

TEST_F(BrowserHandlerTest, AControlGoingWhileItIsAskedWaitsForTheAnswer) {
    kbase_test::Event asked;
    kbase_test::Event answer;
    delegate_->whileAsked = [&] {
        asked.Signal();
        answer.Wait(200);  // thread 0 tries to drop the delegate meanwhile
        Journal::Get().Add("answered");
    };
    RuntimeThread::Get().Post([this] { handler_->OnBeforeBrowse(nullptr, nullptr, nullptr, false); });
    ASSERT_TRUE(asked.Wait());
    OnUi([this] {
        handler_->SetDelegate(nullptr);
        Journal::Get().Add("detached");
        delegate_.reset();
    });
    EXPECT_EQ(Journal::Get().Take(), (Lines{"answered", "detached"}));
}

TEST_F(BrowserHandlerTest, RenderSideMessagesGoToTheDelegate) {
    auto send = [this](const char* name, auto fill) {
        CefRefPtr<CefProcessMessage> message = CefProcessMessage::Create(name);
        fill(*message->GetArgumentList());
        bool handled = false;
        OnRuntime([&] { handled = handler_->OnProcessMessageReceived(nullptr, PID_RENDERER, message); });
        return handled;
    };
    EXPECT_TRUE(send("FocusedNodeChanged", [](CefListValue& a) { a.SetBool(0, true); }));
    EXPECT_TRUE(handler_->IsFocusedNodeEditable());
    EXPECT_TRUE(send("CallCppFunction", [](CefListValue& a) {
        a.SetString(0, "f");
        a.SetString(1, "{\"a\":1}");
        a.SetInt(2, 7);
    }));
    EXPECT_FALSE(send("ExecuteCppCallback", [](CefListValue& a) {
        a.SetString(0, "{}");
        a.SetInt(1, 3);
    }));
    EXPECT_FALSE(send("Other", [](CefListValue&) {}));
    EXPECT_EQ(Journal::Get().Take(), (Lines{"delegate call f {\"a\":1} 7", "delegate callback 3 {}"}));
}

TEST_F(BrowserHandlerTest, ViewBoundsChangeOnTheRuntimeThreadAndResizeOnlyAMainBrowser) {
    OnUi([this] { handler_->SetViewBounds(RECT{10, 20, 110, 70}); });
    Settle();
    CefRect rect;
    OnRuntime([&] { handler_->GetViewRect(nullptr, rect); });
    EXPECT_EQ(rect.width, 100);
    EXPECT_EQ(rect.height, 50);
    const CefRefPtr<CefBrowser> browser = Create("main");
    Journal::Get().Take();
    OnUi([this] { handler_->SetViewBounds(RECT{0, 0, 5, 5}); });
    Settle();
    EXPECT_EQ(Journal::Get().Take(), Lines{"main resized (runtime)"});
    Close(browser);
}

}  // namespace
