#pragma once

// A fake of the browser runtime's entry points for unit tests of the launcher's browser side:
// a "runtime UI thread" that runs posted tasks in order, and browsers that record what is asked
// of them. Included by one test executable each, which then does not load zel_libcef.dll.

#include <windows.h>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "browser/ref_counted.h"
#include "browser/runtime/cef_runtime.h"

namespace fake_runtime {

// The runtime's UI thread: runs queued tasks in order until destroyed.
class RuntimeThread {
public:
    static RuntimeThread& Get() {
        static RuntimeThread thread;
        return thread;
    }
    void Post(std::function<void()> task) {
        std::lock_guard<std::mutex> lock(mutex_);
        tasks_.push_back(std::move(task));
        changed_.notify_all();
    }
    // Runs task on the thread and waits for it (at most 10 s); false on timeout.
    bool Run(std::function<void()> task) {
        auto done = std::make_shared<bool>(false);
        Post([this, task, done] {
            task();
            std::lock_guard<std::mutex> lock(mutex_);
            *done = true;
            changed_.notify_all();
        });
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(10), [done] { return *done; });
    }
    bool IsCurrent() const { return std::this_thread::get_id() == thread_.get_id(); }

private:
    RuntimeThread() : thread_([this] { Loop(); }) {}
    ~RuntimeThread() {
        Post({});
        thread_.join();
    }
    void Loop() {
        for (;;) {
            std::function<void()> task;
            {
                std::unique_lock<std::mutex> lock(mutex_);
                changed_.wait(lock, [this] { return !tasks_.empty(); });
                task = std::move(tasks_.front());
                tasks_.pop_front();
            }
            if (!task) return;
            task();
        }
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::function<void()>> tasks_;
    std::thread thread_;  // last: starts once the rest exists
};

// What the fake browsers were asked, in order, from any thread.
class Journal {
public:
    static Journal& Get() {
        static Journal journal;
        return journal;
    }
    void Add(const std::string& line) {
        std::lock_guard<std::mutex> lock(mutex_);
        lines_.push_back(line);
    }
    std::vector<std::string> Take() {
        std::lock_guard<std::mutex> lock(mutex_);
        return std::exchange(lines_, {});
    }

private:
    std::mutex mutex_;
    std::vector<std::string> lines_;
};

// A process message with a list of plain values.
class FakeList : public CefListValue, public zel_comp::RefCounted<FakeList> {
public:
    std::size_t GetSize() override { return values_.size(); }
    CefValueType GetType(std::size_t index) override { return index < values_.size() ? values_[index].type : VTYPE_NULL; }
    bool GetBool(std::size_t index) override { return Is(index, VTYPE_BOOL) && values_[index].number != 0; }
    int GetInt(std::size_t index) override { return Is(index, VTYPE_INT) ? static_cast<int>(values_[index].number) : 0; }
    double GetDouble(std::size_t index) override { return Is(index, VTYPE_DOUBLE) ? values_[index].number : 0; }
    CefString GetString(std::size_t index) override { return Is(index, VTYPE_STRING) ? values_[index].text : CefString(); }
    bool SetBool(std::size_t index, bool value) override { return Set(index, {VTYPE_BOOL, value ? 1.0 : 0.0, {}}); }
    bool SetInt(std::size_t index, int value) override { return Set(index, {VTYPE_INT, double(value), {}}); }
    bool SetDouble(std::size_t index, double value) override { return Set(index, {VTYPE_DOUBLE, value, {}}); }
    bool SetString(std::size_t index, const CefString& value) override { return Set(index, {VTYPE_STRING, 0, value}); }

private:
    struct Value {
        CefValueType type = VTYPE_NULL;
        double number = 0;
        CefString text;
    };
    bool Is(std::size_t index, CefValueType type) const { return index < values_.size() && values_[index].type == type; }
    bool Set(std::size_t index, Value value) {
        if (index >= values_.size()) values_.resize(index + 1);
        values_[index] = std::move(value);
        return true;
    }
    std::vector<Value> values_;
};

class FakeMessage : public CefProcessMessage, public zel_comp::RefCounted<FakeMessage> {
public:
    explicit FakeMessage(CefString name) : name_(std::move(name)), arguments_(new FakeList()) {}
    CefString GetName() override { return name_; }
    CefRefPtr<CefListValue> GetArgumentList() override { return arguments_; }

private:
    CefString name_;
    CefRefPtr<CefListValue> arguments_;
};

class FakeBrowser;

class FakeFrame : public CefFrame, public zel_comp::RefCounted<FakeFrame> {
public:
    FakeFrame(FakeBrowser* browser, std::string name, bool main = true)
        : browser_(browser), name_(std::move(name)), main_(main) {}
    void LoadURL(const CefString& url) override {
        url_ = url;
        Journal::Get().Add(name_ + " load " + url.ToString());
    }
    CefString GetURL() override { return url_; }
    bool IsMain() override { return main_; }
    std::int64_t GetIdentifier() override { return 1; }
    CefRefPtr<CefBrowser> GetBrowser() override;
    CefRefPtr<CefV8Context> GetV8Context() override { return nullptr; }

private:
    FakeBrowser* browser_;  // owns this frame
    std::string name_;
    bool main_;
    CefString url_;
};

class FakeHost : public CefBrowserHost, public zel_comp::RefCounted<FakeHost> {
public:
    FakeHost(FakeBrowser* browser, std::string name) : browser_(browser), name_(std::move(name)) {}
    CefRefPtr<CefBrowser> GetBrowser() override;
    CefRefPtr<CefClient> GetClient() override { return nullptr; }
    HWND GetWindowHandle() override { return nullptr; }
    void CloseBrowser(bool force) override { Note(force ? "close forced" : "close"); }
    void SetFocus(bool focus) override { Note(focus ? "focus" : "blur"); }
    void WasResized() override { Note("resized"); }
    void WasHidden(bool hidden) override { Note(hidden ? "hidden" : "shown"); }
    void Invalidate(CefPaintElementType type) override { Note("invalidate " + std::to_string(type)); }
    void SendKeyEvent(const CefKeyEvent& event) override {
        Note("key " + std::to_string(event.type) + " " + std::to_string(event.windows_key_code) +
             (event.is_system_key ? " system" : ""));
    }
    void SendMouseClickEvent(const CefMouseEvent& event, CefMouseButtonType type, bool mouseUp, int clicks) override {
        Note("click " + At(event) + " button " + std::to_string(type) + (mouseUp ? " up" : " down") + " x" +
             std::to_string(clicks));
    }
    void SendMouseMoveEvent(const CefMouseEvent& event, bool leave) override {
        Note((leave ? "leave " : "move ") + At(event));
    }
    void SendMouseWheelEvent(const CefMouseEvent& event, int deltaX, int deltaY) override {
        Note("wheel " + At(event) + " by " + std::to_string(deltaX) + "," + std::to_string(deltaY));
    }
    void SendFocusEvent(bool focus) override { Note(focus ? "focus event" : "blur event"); }
    void SendCaptureLostEvent() override { Note("capture lost"); }
    void ShowDevTools(const CefWindowInfo&, CefRefPtr<CefClient>, const CefBrowserSettings&, const CefPoint&) override {}
    void CloseDevTools() override {}

private:
    static std::string At(const CefMouseEvent& event) { return std::to_string(event.x) + "," + std::to_string(event.y); }
    void Note(const std::string& what) {
        Journal::Get().Add(name_ + " " + what + (RuntimeThread::Get().IsCurrent() ? " (runtime)" : ""));
    }
    FakeBrowser* browser_;
    std::string name_;
};

// A browser named for the journal; its host and main frame live as long as it does.
class FakeBrowser : public CefBrowser, public zel_comp::RefCounted<FakeBrowser> {
public:
    explicit FakeBrowser(std::string name)
        : host_(new FakeHost(this, name)), frame_(new FakeFrame(this, name)), name_(std::move(name)) {}
    CefRefPtr<CefBrowserHost> GetHost() override { return host_; }
    int GetIdentifier() override { return static_cast<int>(reinterpret_cast<std::uintptr_t>(this) & 0x7fffffff); }
    bool IsSame(CefRefPtr<CefBrowser> that) override { return that.get() == this; }
    CefRefPtr<CefFrame> GetMainFrame() override { return frame_; }
    CefRefPtr<CefFrame> GetFrame(std::int64_t) override { return frame_; }
    void Reload() override { Journal::Get().Add(name_ + " reload"); }
    bool IsLoading() override { return false; }
    bool SendProcessMessage(CefProcessId, CefRefPtr<CefProcessMessage> message) override {
        Journal::Get().Add(name_ + " message " + message->GetName().ToString());
        return true;
    }

private:
    CefRefPtr<CefBrowserHost> host_;
    CefRefPtr<CefFrame> frame_;
    std::string name_;
};

inline CefRefPtr<CefBrowser> FakeFrame::GetBrowser() { return browser_; }
inline CefRefPtr<CefBrowser> FakeHost::GetBrowser() { return browser_; }

}  // namespace fake_runtime

// The entry points: tasks go to the fake runtime thread; the rest is never reached by the
// code under test and answers nothing.
extern "C" {
int cef_post_task(int, CefTask* task) {
    CefRefPtr<CefTask> held(task);
    fake_runtime::RuntimeThread::Get().Post([held] { held->Execute(); });
    return 1;
}
int cef_currently_on(int) { return fake_runtime::RuntimeThread::Get().IsCurrent() ? 1 : 0; }
void cef_enable_highdpi_support() {}
int cef_execute_process(const CefMainArgs*, CefApp*, void*) { return -1; }
int cef_initialize(const CefMainArgs*, const CefSettings*, CefApp*, void*) { return 0; }
void cef_do_message_loop_work() {}
void cef_shutdown() {}
int cef_browser_host_create_browser(const CefWindowInfo*, CefClient*, const CefString*,
                                           const CefBrowserSettings*, CefRequestContext*) {
    return 0;
}
CefCookieManager* cef_cookie_manager_get_global_manager(CefCompletionCallback*) { return nullptr; }
int cef_register_extension(const CefString*, const CefString*, CefV8Handler*) { return 0; }
CefV8Context* cef_v8context_get_current_context() { return nullptr; }
CefProcessMessage* cef_process_message_create(const CefString* name) {
    auto* message = new fake_runtime::FakeMessage(*name);
    message->AddRef();
    return message;
}
CefV8Value* cef_v8value_create_undefined() { return nullptr; }
CefV8Value* cef_v8value_create_null() { return nullptr; }
CefV8Value* cef_v8value_create_bool(int) { return nullptr; }
CefV8Value* cef_v8value_create_int(std::int32_t) { return nullptr; }
CefV8Value* cef_v8value_create_double(double) { return nullptr; }
CefV8Value* cef_v8value_create_string(const CefString*) { return nullptr; }
CefV8Value* cef_v8value_create_object() { return nullptr; }
CefV8Value* cef_v8value_create_array(int) { return nullptr; }
CefV8Value* cef_v8value_create_function(const CefString*, CefV8Handler*) { return nullptr; }
}
