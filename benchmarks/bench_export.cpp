// Clipboard export: the rich text of seven graph pictures, and the whole "Copy All Graphs"
// command over seven 800 x 600 views (drawing, PNG encoding, rich text, combined picture).

#include "Clipboard.h"
#include "Graph.h"
#include "RichText.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

void EnsureExportApplication() {
    static int argc = 1;
    static char name[] = "zelta_bench";
    static char* argv[] = {name, nullptr};
    if (QApplication::instance() == nullptr)
        new QApplication(argc, argv);
}

void BM_PicturesRtfSevenGraphs(benchmark::State& state) {
    // Seven pictures of 40 KB, about the PNG size of an 800 x 600 graph.
    std::vector<RtfPicture> pictures(7);
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        pictures[i].width = 800;
        pictures[i].height = 600;
        pictures[i].png.resize(40000);
        for (std::size_t b = 0; b < pictures[i].png.size(); ++b)
            pictures[i].png[b] = static_cast<unsigned char>(b * 31 + i);
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildPicturesRtf(pictures));
}
BENCHMARK(BM_PicturesRtfSevenGraphs)->Unit(benchmark::kMillisecond);

void BM_CopyAllGraphsSevenViews(benchmark::State& state) {
    EnsureExportApplication();
    std::vector<double> x;
    std::vector<double> y[4];
    for (int i = 0; i < 600; ++i) {
        const double f = 100.0 * std::pow(1e6, i / 599.0);
        x.push_back(f);
        for (int k = 0; k < 4; ++k)
            y[k].push_back((k + 1) * 0.05 + 1.0 / (2 * M_PI * f * 1e-5 * (k + 1)));
    }
    std::vector<std::unique_ptr<CGraph>> owned;
    GraphViews views{};
    for (int kind = 0; kind < kGraphKindCount; ++kind) {
        owned.push_back(std::make_unique<CGraph>());
        CGraph& view = *owned.back();
        view.SetData(600, x.data(), y[0].data(), y[1].data(), y[2].data(), y[3].data());
        view.SetLogAxes(1, 1);
        view.SetTitle("Impedance");
        view.resize(800, 600);
        views[std::size_t(kind)] = &view;
    }
    ClipboardContext context;
    for (auto _ : state)
        benchmark::DoNotOptimize(CopyAllGraphs(views, context));
}
BENCHMARK(BM_CopyAllGraphsSevenViews)->Unit(benchmark::kMillisecond);

} // namespace
