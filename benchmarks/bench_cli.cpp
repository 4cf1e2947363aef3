#include "CCapacitorStore.h"
#include "ImpedanceSearch.h"
#include "PartBatch.h"
#include "PartQuantity.h"
#include "SParameterWriter.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

// The zeltacli commands beyond the desktop program, over the shipped catalogue.

namespace {

class QuietSink : public IMessageSink {
public:
    void ShowMessage(int, MessageIcon, const std::string& text) override { last = text; }
    std::string last;
};

// A successful load shows no message, so no texts are needed.
class NoStrings : public IStringTable {
public:
    std::string GetString(int) const override { return std::string(); }
};

struct ShippedCatalogue {
    QuietSink sink;
    NoStrings strings;
    std::unique_ptr<CCapacitorStore> store = std::make_unique<CCapacitorStore>(sink, strings);
    std::vector<const CapacitorRecord*> parts;
    bool loaded = false;

    ShippedCatalogue() {
        loaded = LoadStoreFromDirectory(*store, std::string(ZELTA_SOURCE_DIR) + "/product") == 0;
        for (int i = 0; loaded && i < store->GetCount(); ++i)
            parts.push_back(store->GetAt(static_cast<unsigned>(i)));
    }
};

const ShippedCatalogue& Shipped() {
    static const ShippedCatalogue catalogue;
    return catalogue;
}

// find --max-impedance 20m --from 10k --to 1M --temperature 85 over every part: the search
// and the ranking. Target: 40 ms.
void BM_FindShippedCatalogue(benchmark::State& state) {
    const ShippedCatalogue& c = Shipped();
    if (!c.loaded) {
        state.SkipWithError("the shipped data did not load");
        return;
    }
    ImpedanceQuery query;
    query.maxImpedance = 0.02;
    query.fromFrequency = 1e4;
    query.toFrequency = 1e6;
    query.temperature = 85;
    size_t rows = 0;
    for (auto _ : state) {
        const std::vector<ImpedanceMatch> matches = FindImpedanceMatches(c.parts, query);
        rows = matches.size();
        benchmark::DoNotOptimize(matches.data());
    }
    state.counters["parts"] = static_cast<double>(c.parts.size());
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_FindShippedCatalogue)->Unit(benchmark::kMillisecond);

// compare of ten parts at 85 °C as CSV. Target: 2 ms.
void BM_CompareTenParts(benchmark::State& state) {
    const ShippedCatalogue& c = Shipped();
    if (!c.loaded || c.parts.size() < 10) {
        state.SkipWithError("the shipped data did not load");
        return;
    }
    std::vector<const CapacitorRecord*> ten;
    for (size_t i = 0; i < 10; ++i)
        ten.push_back(c.parts[i * (c.parts.size() / 10)]);
    const FrequencyQuantity& quantity = *FindFrequencyQuantity("impedance");
    for (auto _ : state) {
        const std::string csv = ComparisonCsv(ComputeComparison(ten, 85.0, quantity), quantity);
        benchmark::DoNotOptimize(csv.data());
    }
}
BENCHMARK(BM_CompareTenParts)->Unit(benchmark::kMicrosecond);

// sparams --all: both Touchstone files of every part into a temporary folder, on every
// core. Target: 5 s on two cores.
void BM_SparamsAllShippedCatalogue(benchmark::State& state) {
    const ShippedCatalogue& c = Shipped();
    if (!c.loaded) {
        state.SkipWithError("the shipped data did not load");
        return;
    }
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                         ("zelta-bench-sparams-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder, error);
    const std::string dir = folder.string();
    NoStrings strings;
    size_t failed = 0;
    for (auto _ : state) {
        failed = RunPartBatch(c.parts, [&](const CapacitorRecord& record, std::string& message) {
                     QuietSink sink;
                     const bool ok = WriteSParameterFiles(dir, record, sink, strings) == 0;
                     message = sink.last;
                     return ok;
                 }).size();
    }
    std::filesystem::remove_all(folder, error);
    if (failed != 0)
        state.SkipWithError("some parts failed");
    state.counters["parts"] = static_cast<double>(c.parts.size());
}
BENCHMARK(BM_SparamsAllShippedCatalogue)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
