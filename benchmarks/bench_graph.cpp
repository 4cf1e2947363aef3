// Graph view: one paint of a full graph, and one drag step of the live cursor across the
// six frequency graphs.

#include "Graph.h"
#include "GraphHost.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

void EnsureApplication() {
    static int argc = 1;
    static char name[] = "zelta_bench";
    static char* argv[] = {name, nullptr};
    static QApplication* app = QApplication::instance() == nullptr
                                   ? new QApplication(argc, argv)
                                   : qobject_cast<QApplication*>(QApplication::instance());
    (void)app;
}

// 600 frequency points from 100 Hz to 100 MHz and four curves of impedance-like shape.
struct Curves {
    std::vector<double> x;
    std::vector<double> y[4];
    Curves() {
        for (int i = 0; i < 600; ++i) {
            const double f = 100.0 * std::pow(1e6, i / 599.0);
            x.push_back(f);
            for (int k = 0; k < 4; ++k) {
                const double c = 1e-5 * (k + 1);
                const double l = 2e-9;
                const double r = 0.05 * (k + 1);
                const double w = 2 * M_PI * f;
                y[k].push_back(std::sqrt(r * r + std::pow(w * l - 1 / (w * c), 2)));
            }
        }
    }
};

void Fill(CGraph& view, const Curves& c) {
    view.SetData(600, c.x.data(), c.y[0].data(), c.y[1].data(), c.y[2].data(), c.y[3].data());
    view.SetLogAxes(1, 1);
    view.ShowMarkers(0);
    view.SetXCaption("Frequency [Hz]");
    view.SetYCaption("Impedance [Ohm]");
    view.SetTitle("Impedance");
    view.SetUnits("Hz", "Ohm");
    view.SetNote("Typical values only.");
    view.SetLegend(LegendTopRight,
                   "T491A105K010 @25\xC2\xB0"
                   "C",
                   "T491A105K010 @85\xC2\xB0"
                   "C",
                   "T491A105K010 Max",
                   "T491A105K010 Max @85\xC2\xB0"
                   "C");
    view.SetCurveDotted(2, true);
}

void BM_PaintGraph(benchmark::State& state) {
    EnsureApplication();
    const Curves curves;
    CGraph view;
    Fill(view, curves);
    QImage image(800, 600, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        view.Render(painter, QRect(0, 0, 800, 600));
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_PaintGraph)->Unit(benchmark::kMillisecond);

// The main frame's part of a pick: every frequency graph follows.
class FollowAll : public IGraphHost {
public:
    std::vector<CGraph*> views;
    int GraphPick(CGraph&, CursorInfo& cursor) override {
        for (CGraph* v : views) {
            CursorInfo copy = cursor;
            copy.y = 1.0;
            v->TrackCursor(copy);
        }
        return 0;
    }
    int GraphPrintPage(QPainter*) override { return -1; }
    int GraphQueryPoint(CGraph&, double*) override { return -1; }
};

void BM_DragStep(benchmark::State& state) {
    EnsureApplication();
    const Curves curves;
    FollowAll host;
    std::vector<std::unique_ptr<CGraph>> views;
    for (int i = 0; i < 6; ++i) {
        views.push_back(std::make_unique<CGraph>());
        CGraph& v = *views.back();
        Fill(v, curves);
        v.SetHost(&host);
        v.resize(640, 420);
        v.show();
        host.views.push_back(&v);
    }
    // Let the windows be exposed, so that every repaint below really paints.
    QApplication::processEvents();
    CursorInfo cursor;
    cursor.x = 1e4;
    cursor.phase = CursorInfo::Begin;
    host.GraphPick(*views[0], cursor);
    cursor.phase = CursorInfo::Move;
    int step = 0;
    for (auto _ : state) {
        cursor.x = 1e3 * std::pow(10.0, (step++ % 40) / 10.0);
        host.GraphPick(*views[0], cursor);
    }
    cursor.phase = CursorInfo::End;
    host.GraphPick(*views[0], cursor);
}
BENCHMARK(BM_DragStep)->Unit(benchmark::kMillisecond);

} // namespace
