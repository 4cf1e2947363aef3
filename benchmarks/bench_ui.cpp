// Main frame: one drag step of the cursor as the user feels it, from the pick in the
// impedance graph through the point evaluation to the crosshairs of all six frequency
// graphs; and one refill of every open graph after a temperature change.

#include "CGraphDocTemplate.h"
#include "CMainFrame.h"
#include "CapacitorRecord.h"
#include "CursorInfo.h"
#include "ResourceLibrary.h"
#include "ResourceMenus.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstring>
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

CapacitorRecord SixStagePart() {
    CapacitorRecord r;
    std::memset(&r, 0, sizeof r);
    std::strcpy(r.partNumber, "QAKB106M016R");
    std::strcpy(r.series, "QAK");
    r.family = 'T';
    r.caseCode = 'B';
    r.capacitance = 10;
    r.ratedVoltage = 16;
    r.esrMax = 3000;
    r.dclMax = 1.6;
    r.lesl = 1.8e-9;
    r.rels = 10;
    r.rp = 2.5e7;
    for (int k = 0; k < 6; ++k) {
        r.ladderR[k] = 0.01 * (k + 1);
        r.ladderC[k] = 1e-6 * (k + 1);
        r.ladderRTc[k] = {-1.5e-3, 1.5e-6};
        r.ladderCTc[k] = {1e-3, -1e-5};
    }
    r.tMeasured = 25;
    return r;
}

// A frame at 1200 x 900 with the six frequency graphs open and tiled.
struct FrameSetup {
    CResourceLibrary library;
    std::unique_ptr<CResourceMenuSource> menus;
    std::vector<std::unique_ptr<CGraphDocTemplate>> templates;
    std::unique_ptr<CMainFrame> frame;
    CapacitorRecord part = SixStagePart();
    bool ok = false;

    FrameSetup() {
        EnsureApplication();
        library.SetLanguage(CResourceLibrary::Language::English);
        if (library.Load() != 0)
            return;
        menus = std::make_unique<CResourceMenuSource>(library);
        templates = CreateGraphDocTemplates(library);
        std::array<const CGraphDocTemplate*, kGraphKindCount> order{};
        for (size_t i = 0; i < templates.size(); ++i)
            order[i] = templates[i].get();
        MainFrameServices services;
        services.strings = &library;
        services.menus = menus.get();
        frame = std::make_unique<CMainFrame>(order, services);
        frame->resize(1200, 900);
        frame->SetCurrentCapacitor(&part);
        if (frame->ShowInitialGraphs() != 0)
            return;
        frame->ToggleGraphWindow(KindRippleVoltage);
        frame->ToggleGraphWindow(KindRippleCurrent);
        frame->OnCommand(CMainFrame::ID_WINDOW_TILE_HORZ);
        QApplication::processEvents();
        ok = true;
    }
};

void BM_FrameDragStep(benchmark::State& state) {
    FrameSetup setup;
    if (!setup.ok) {
        state.SkipWithError("the resource library could not be loaded");
        return;
    }
    CChildFrame* impedance = setup.frame->GraphWindow(KindImpedance);
    CursorInfo pick;
    pick.x = 1000.0;
    pick.curve = 0;
    pick.phase = CursorInfo::Begin;
    setup.frame->HandlePick(impedance, &pick);
    pick.phase = CursorInfo::Move;
    double x = 1000.0;
    for (auto _ : state) {
        x = x < 1e7 ? x * 1.05 : 1000.0;
        pick.x = x;
        setup.frame->HandlePick(impedance, &pick);
    }
    pick.phase = CursorInfo::End;
    setup.frame->HandlePick(impedance, &pick);
}
BENCHMARK(BM_FrameDragStep)->Unit(benchmark::kMillisecond);

void BM_TemperatureChange(benchmark::State& state) {
    FrameSetup setup;
    if (!setup.ok) {
        state.SkipWithError("the resource library could not be loaded");
        return;
    }
    bool hot = false;
    for (auto _ : state) {
        hot = !hot;
        setup.frame->SetTemperature(hot ? 85.0 : 25.0);
    }
}
BENCHMARK(BM_TemperatureChange)->Unit(benchmark::kMillisecond);

} // namespace
