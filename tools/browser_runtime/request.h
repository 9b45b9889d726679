#pragma once

#include <functional>
#include <mutex>

#include "browser/runtime/cef_browser.h"
#include "browser/runtime/cef_callbacks.h"
#include "tools/browser_runtime/ref_counted.h"

class Request final : public RefCounted<CefRequest> {
public:
    explicit Request(CefString url) : url_(std::move(url)) {}
    CefString GetURL() override { return url_; }
    CefString GetMethod() override { return "GET"; }

private:
    const CefString url_;
};

// Answers once: the first Continue or Cancel runs the answer, later ones do nothing.
class RequestCallback final : public RefCounted<CefRequestCallback> {
public:
    explicit RequestCallback(std::function<void(bool allow)> answer) : answer_(std::move(answer)) {}
    void Continue(bool allow) override { Answer(allow); }
    void Cancel() override { Answer(false); }

private:
    void Answer(bool allow) {
        std::function<void(bool)> answer;
        {
            std::lock_guard<std::mutex> hold(lock_);
            answer = std::exchange(answer_, nullptr);
        }
        if (answer) answer(allow);
    }

    std::mutex lock_;
    std::function<void(bool)> answer_;
};
