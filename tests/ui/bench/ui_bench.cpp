// The UI benchmark's Windows side: builds a tree of mixed controls (boxes, tiles, nine-part
// and tiled images, borders, text), then times full layouts and full paints into a 1280x800
// bitmap, as a window does on resize and on a full repaint.
//   ui_bench.exe [controls] [rounds]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tests/ui/bench/bench_figures.h"
#include "tests/ui/showcase/sample_tree.h"
#include "ui/global_manager.h"
#include "ui/render/render_context.h"
#include "ui/render/render_factory.h"

namespace {

using bench::Best;
using bench::Clock;
using bench::CountControls;
using bench::Median;
using bench::Milliseconds;

// Every control measures again, as after a language or DPI change.
void MarkForMeasuring(ui::Control* control) {
    control->FindControl(
        [](ui::Control* c, void*) -> ui::Control* {
            c->SetReEstimateSize(true);
            return nullptr;
        },
        nullptr, 0);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int controls = argc > 1 ? std::max(10, _wtoi(argv[1])) : 1000;
    const int rounds = argc > 2 ? std::max(1, _wtoi(argv[2])) : 50;
    const RECT screen{0, 0, 1280, 800};

    ui::GlobalManager::StartupRender();
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / L"ui_bench";
    std::filesystem::create_directories(folder);
    showcase::PrepareResources(folder.wstring());
    std::unique_ptr<ui::Box> root(showcase::BuildLargeTree(folder.wstring(), controls));
    std::unique_ptr<ui::IRenderContext> context(ui::GlobalManager::GetRenderFactory()->CreateRenderContext());
    context->Resize(screen.right, screen.bottom);

    // One warm-up round decodes the images and fills the caches.
    root->SetPos(screen);
    root->AlphaPaint(context.get(), screen);

    std::vector<double> layouts, paints;
    for (int i = 0; i < rounds; ++i) {
        MarkForMeasuring(root.get());
        root->SetPos(RECT{0, 0, 0, 0});
        auto start = Clock::now();
        root->SetPos(screen);
        layouts.push_back(Milliseconds(Clock::now() - start));

        context->Clear();
        start = Clock::now();
        root->AlphaPaint(context.get(), screen);
        paints.push_back(Milliseconds(Clock::now() - start));
    }
    std::printf("controls %d, rounds %d, bitmap %ldx%ld\n", CountControls(root.get()), rounds, screen.right,
                screen.bottom);
    std::printf("full layout: median %.3f ms, best %.3f ms\n", Median(layouts),
                Best(layouts));
    std::printf("full paint:  median %.3f ms, best %.3f ms (60 Hz frame: 16.7 ms)\n", Median(paints),
                Best(paints));
    root.reset();
    context.reset();
    ui::GlobalManager::ShutdownRender();
    return 0;
}
