// The virtual list benchmark's Windows side: a real window holding a virtual list of many rows,
// scrolled from the top to the bottom by posted wheel messages, one every 16 ms as a spinning
// wheel sends them. For every step it prints the longest message the window handled while the
// step ran (a wheel, an eased scroll frame, a paint: each has to fit in one frame) and the
// process's private memory.
//   virtual_list_bench.exe [rows (default 100000)] [notches per wheel message (default 10)]
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "ui/global_manager.h"
#include "ui/list_container_element.h"
#include "ui/timer_manager.h"
#include "ui/vbox.h"
#include "ui/virtual_list_box.h"
#include "ui/window.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRowHeight = 30;
constexpr RECT kWindowRect{40, 40, 440, 640};
constexpr auto kStepPeriod = std::chrono::milliseconds(16);

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

SIZE_T PrivateBytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof(counters));
    return counters.PagefileUsage;  // the committed private bytes
}

class RowSource : public ui::VirtualListDataSource {
public:
    explicit RowSource(int rows) : rows_(rows) {}
    ui::Control* CreateElement() override {
        auto* row = new ui::ListContainerElement;
        row->SetFixedHeight(kRowHeight, false);
        row->SetTextPadding(RECT{8, 0, 0, 0});
        return row;
    }
    void FillElement(ui::Control* row, int index) override {
        static_cast<ui::ListContainerElement*>(row)->SetText(L"Row " + std::to_wstring(index));
    }
    int GetElementCount() override { return rows_; }

private:
    int rows_;
};

class BenchWindow : public ui::Window {
public:
    std::wstring GetWindowClassName() const override { return L"VirtualListBench"; }
};

struct Longest {
    double ms = 0;
    UINT message = 0;
};

struct Step {
    int position;
    Longest longest;
};

const char* MessageName(UINT message) {
    switch (message) {
    case WM_PAINT: return "paint";
    case WM_MOUSEWHEEL: return "wheel";
    case ui::TimerManager::kPollMessage: return "frame";
    case 0: return "-";
    default: return "other";
    }
}

// Dispatches messages until the deadline; returns the longest dispatch.
Longest PumpUntil(Clock::time_point deadline) {
    Longest worst;
    for (Clock::time_point now = Clock::now(); now < deadline; now = Clock::now()) {
        MSG message;
        if (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            const Clock::time_point start = Clock::now();
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
            const double ms = Milliseconds(Clock::now() - start);
            if (ms > worst.ms) worst = Longest{ms, message.message};
            continue;
        }
        const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now).count();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::max<long long>(wait, 1)), QS_ALLINPUT);
    }
    return worst;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int rows = argc > 1 ? std::max(1, _wtoi(argv[1])) : 100000;
    const int notches = argc > 2 ? std::max(1, _wtoi(argv[2])) : 10;

    ui::GlobalManager::StartupRender();
    ui::GlobalManager::AddFont(L"bench", L"Tahoma", 14, false, false, false, true);
    ui::GlobalManager::AddTextColor(L"textdefaultcolor", 0xFF101820);
    const SIZE_T memoryBefore = PrivateBytes();

    RowSource source(rows);
    BenchWindow window;
    const HWND hwnd = window.Create(nullptr, L"virtual list bench", WS_POPUP, 0, true, kWindowRect);
    if (!hwnd) {
        std::fprintf(stderr, "the window could not be created\n");
        return 1;
    }
    window.Init(hwnd);
    ::ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    auto root = std::make_unique<ui::VBox>();
    root->SetBkColor(L"bench_white");
    ui::GlobalManager::AddTextColor(L"bench_white", 0xFFFFFFFF);
    auto list = std::make_unique<ui::VirtualListBox>();
    ui::VirtualListBox* view = list.get();
    view->SetAttribute(L"vscrollbar", L"true");
    view->SetDataSource(&source);
    view->SetElementHeight(kRowHeight);
    view->InitElement((kWindowRect.bottom - kWindowRect.top) / kRowHeight + 4);
    root->Add(list.release());
    window.AttachRoot(root.release());
    window.InvalidateRect(RECT{0, 0, kWindowRect.right - kWindowRect.left, kWindowRect.bottom - kWindowRect.top});
    PumpUntil(Clock::now() + std::chrono::milliseconds(300));

    const int range = static_cast<int>(view->GetScrollRange().cy);
    POINT centre{(kWindowRect.right - kWindowRect.left) / 2, (kWindowRect.bottom - kWindowRect.top) / 2};
    ::ClientToScreen(hwnd, &centre);
    const SIZE_T memoryShown = PrivateBytes();
    std::printf("rows %d, row controls %d, scroll range %d px, %d notches per wheel message\n", rows, view->GetCount(),
                range, notches);
    std::printf("step position longest_ms longest_message private_kib\n");

    std::vector<Step> steps;
    Clock::time_point next = Clock::now();
    const Clock::time_point giveUp = next + std::chrono::minutes(10);
    while (view->GetScrollPos().cy < range && next < giveUp) {
        ::PostMessageW(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA * notches), MAKELPARAM(centre.x, centre.y));
        next += kStepPeriod;
        const Longest longest = PumpUntil(next);
        steps.push_back(Step{static_cast<int>(view->GetScrollPos().cy), longest});
        std::printf("%zu %d %.3f %s %zu\n", steps.size(), steps.back().position, longest.ms, MessageName(longest.message),
                    PrivateBytes() / 1024);
    }
    const SIZE_T memoryAfter = PrivateBytes();

    std::vector<double> worst;
    for (const Step& step : steps) worst.push_back(step.longest.ms);
    std::sort(worst.begin(), worst.end());
    const auto at = [&worst](double share) { return worst.empty() ? 0.0 : worst[static_cast<std::size_t>(share * (worst.size() - 1))]; };
    const long over = std::count_if(worst.begin(), worst.end(), [](double ms) { return ms > 16.0; });
    std::printf("reached %ld of %d px in %zu steps\n", view->GetScrollPos().cy, range, steps.size());
    std::printf("longest message per step: median %.3f ms, 99th percentile %.3f ms, max %.3f ms; %ld steps over 16 ms\n",
                at(0.5), at(0.99), at(1.0), over);
    std::printf("private memory: %zu KiB before the window, %zu KiB shown, %zu KiB at the bottom\n",
                memoryBefore / 1024, memoryShown / 1024, memoryAfter / 1024);
    ::DestroyWindow(hwnd);
    return steps.empty() ? 1 : 0;
}
