#include "CapacitorRecord.h"
#include "FrequencyResponse.h"
#include "Messages.h"
#include "ModelVector.h"
#include "SParameterWriter.h"
#include "WorkingState.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

// A six-stage part with temperature coefficients, as most of the catalogue is.
CapacitorRecord BenchPart(const char* partNumber, const char* series) {
    CapacitorRecord r;
    std::memset(&r, 0, sizeof r);
    std::snprintf(r.partNumber, sizeof r.partNumber, "%s", partNumber);
    std::snprintf(r.series, sizeof r.series, "%s", series);
    r.family = 'T';
    r.caseCode = 'D';
    r.capacitance = 100;
    r.ratedVoltage = 16;
    r.esrMax = 150;
    r.dclMax = 16;
    const double R[6] = {0.08, 0.02, 0.05, 0.1, 0.3, 1.0};
    const double C[6] = {8e-5, 1e-5, 5e-6, 2e-6, 1e-6, 5e-7};
    for (int k = 0; k < 6; ++k) {
        r.ladderR[k] = R[k];
        r.ladderC[k] = C[k];
        r.ladderRTc[k] = {-1e-3, 5e-6};
        r.ladderCTc[k] = {5e-4, -1e-6};
    }
    r.lesl = 2.4e-9;
    r.rels = 20;
    r.rp = 1e7;
    r.tMeasured = 25;
    return r;
}

void BM_CurveSet(benchmark::State& state) {
    const CapacitorRecord part = BenchPart("QAKD107K016R", "QAK");
    ModelVector v;
    BuildModelVector(part, v);
    auto curves = std::make_unique<CurveSet>();
    const int n = BuildFrequencyGrid(curves->frequency, kMaxCurvePoints);
    for (auto _ : state) {
        EvaluateCurveSet(part, v, true, *curves, n);
        benchmark::DoNotOptimize(curves->impedanceMagnitude[n - 1]);
    }
}
BENCHMARK(BM_CurveSet);

void BM_RecomputeCurves(benchmark::State& state) {
    const CapacitorRecord part = BenchPart("QAKD107K016R", "QAK");
    const CapacitorRecord other = BenchPart("QAKE227K010R", "QAK");
    auto s = std::make_unique<CWorkingState>();
    s->selectedTemperature = 85;
    s->TakeCapacitor(&part);
    s->comparisonCapacitors[0] = &part;
    s->comparisonCapacitors[1] = &other;
    s->comparisonMode = true;
    for (auto _ : state) {
        s->RecomputeCurves();
        benchmark::DoNotOptimize(s->dclLimit[0]);
    }
}
BENCHMARK(BM_RecomputeCurves);

class NullStrings : public IStringTable {
public:
    std::string GetString(int) const override { return "%s"; }
};

class NullSink : public IMessageSink {
public:
    void ShowMessage(int, MessageIcon, const std::string&) override {}
};

void BM_SParameters(benchmark::State& state) {
    const CapacitorRecord part = BenchPart("QAKD107K016R", "QAK");
    char folder[] = "/tmp/zelta-bench-s2p-XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        state.SkipWithError("cannot create a temporary folder");
        return;
    }
    NullStrings strings;
    NullSink sink;
    for (auto _ : state) {
        if (WriteSParameterFiles(folder, part, sink, strings) != 0) {
            state.SkipWithError("writing failed");
            break;
        }
    }
    std::remove(SParameterFileName(folder, part.partNumber, false).c_str());
    std::remove(SParameterFileName(folder, part.partNumber, true).c_str());
    std::remove(folder);
}
BENCHMARK(BM_SParameters)->Unit(benchmark::kMicrosecond);

} // namespace
