// The window benchmark's Windows side: times skinned windows made from a skin (created, built
// by the window builder, arranged and painted for the first time) and full repaints of them.
//   window_bench.exe RESOURCES SKIN [windows (default 10)] [repaints per window (default 20)]
// RESOURCES and SKIN as for the render tool. The first window also pays for reading and
// decoding what later windows find cached, so it is reported apart.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/ui/bench/bench_figures.h"
#include "tools/skin_render/render_options.h"
#include "tools/skin_render/skin_session.h"
#include "tools/skin_render/skin_window.h"
#include "ui/box.h"
#include "ui/render/render_context.h"

namespace {

using bench::Best;
using bench::Clock;
using bench::CountControls;
using bench::Median;
using bench::Milliseconds;

// Far above any paint; a window that does not paint in this time is a failure, not a figure.
constexpr ULONGLONG kPaintTimeoutMs = 10000;

int Fail(const std::wstring& message) {
    std::fwprintf(stderr, L"window_bench: %ls\n", message.c_str());
    return 1;
}

struct Figures {
    std::vector<double> opens;       // create, build, arrange, first paint
    std::vector<double> creates;     // the native window and the skin built into it
    std::vector<double> repaints;    // a whole-window paint message, shown on screen
    std::vector<double> treePaints;  // the tree alone into the window's bitmap
    int controls = 0;
    SIZE size{0, 0};
};

// One window: opened, settled, repainted; the failure when it did not paint in time.
std::wstring MeasureWindow(const std::wstring& skin, int repaints, Figures& figures) {
    const Clock::time_point start = Clock::now();
    auto* window = new skin_render::SkinWindow(skin);
    const HWND hwnd = window->CreateFromSkin();
    if (!hwnd) return L"the window was not created";
    figures.creates.push_back(Milliseconds(Clock::now() - start));
    window->ShowWindow(true, false);
    const auto firstPaint = [&] { return window->GetPaintCount() > 0 && !window->IsArrangePending(); };
    if (!skin_render::PumpMessagesUntil(firstPaint, kPaintTimeoutMs)) return L"no first paint";
    figures.opens.push_back(Milliseconds(Clock::now() - start));
    if (!skin_render::PumpMessagesUntil([&] { return window->IsSettled(); }, kPaintTimeoutMs)) {
        return L"the window did not settle after its fade-in";
    }

    RECT client{};
    ::GetClientRect(hwnd, &client);
    figures.size = SIZE{client.right, client.bottom};
    figures.controls = CountControls(window->GetRoot());
    for (int i = 0; i < repaints; ++i) {
        const int before = window->GetPaintCount();
        const Clock::time_point paintStart = Clock::now();
        window->InvalidateRect(client);
        if (!skin_render::PumpMessagesUntil([&] { return window->GetPaintCount() > before; }, kPaintTimeoutMs)) {
            return L"no repaint";
        }
        figures.repaints.push_back(Milliseconds(Clock::now() - paintStart));

        ui::IRenderContext* context = window->GetRenderContext();
        const Clock::time_point treeStart = Clock::now();
        window->GetRoot()->Paint(context, client);
        window->GetRoot()->PaintChild(context, client);
        figures.treePaints.push_back(Milliseconds(Clock::now() - treeStart));
    }
    ::DestroyWindow(hwnd);
    return std::wstring();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return Fail(L"usage: window_bench.exe RESOURCES SKIN [windows] [repaints per window]");
    skin_render::RenderOptions options;
    options.resources = argv[1];
    const std::wstring skin = argv[2];
    const int windows = argc > 3 ? std::max(2, _wtoi(argv[3])) : 10;
    const int repaints = argc > 4 ? std::max(1, _wtoi(argv[4])) : 20;

    skin_render::SkinSession session;
    std::wstring error;
    if (!session.Start(options, error)) return Fail(error);
    if (!skin_render::TryBuildSkin(skin, error)) return Fail(skin + L": " + error);

    Figures figures;
    for (int i = 0; i < windows; ++i) {
        if (const std::wstring failure = MeasureWindow(skin, repaints, figures); !failure.empty()) {
            return Fail(failure);
        }
    }
    const std::vector<double> warmOpens(figures.opens.begin() + 1, figures.opens.end());
    std::printf("skin %ls: %d controls, window %ldx%ld, %d windows, %d repaints each\n", skin.c_str(),
                figures.controls, figures.size.cx, figures.size.cy, windows, repaints);
    std::printf("open (create, build, arrange, first paint): first %.1f ms; then median %.1f ms, best %.1f ms "
                "(goal: under 100 ms)\n",
                figures.opens.front(), Median(warmOpens), Best(warmOpens));
    const std::vector<double> warmCreates(figures.creates.begin() + 1, figures.creates.end());
    std::printf("  of which creating the window and building the skin: first %.1f ms; then median %.1f ms\n",
                figures.creates.front(), Median(warmCreates));
    std::printf("full repaint: median %.2f ms, best %.2f ms (goal: under 16 ms)\n", Median(figures.repaints),
                Best(figures.repaints));
    std::printf("  of which the tree into the bitmap: median %.2f ms, best %.2f ms\n", Median(figures.treePaints),
                Best(figures.treePaints));
    return 0;
}
