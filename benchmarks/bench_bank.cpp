#include "BankSearch.h"
#include "CCapacitorStore.h"
#include "SeriesRules.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

// zeltacli bank's search over the shipped catalogue.

namespace {

class QuietSink : public IMessageSink {
public:
    void ShowMessage(int, MessageIcon, const std::string&) override {}
};

class NoStrings : public IStringTable {
public:
    std::string GetString(int) const override { return std::string(); }
};

struct Catalogue {
    QuietSink sink;
    NoStrings strings;
    std::unique_ptr<CCapacitorStore> store = std::make_unique<CCapacitorStore>(sink, strings);
    std::vector<const CapacitorRecord*> all, polymer, tantalum;
    bool loaded = false;

    Catalogue() {
        loaded = LoadStoreFromDirectory(*store, std::string(ZELTA_SOURCE_DIR) + "/product") == 0;
        for (int i = 0; loaded && i < store->GetCount(); ++i) {
            const CapacitorRecord* r = store->GetAt(static_cast<unsigned>(i));
            all.push_back(r);
            // The selection dialog's technology "Polymer".
            if (SeriesIsExactly(r->series, "QCL") || SeriesIsExactly(r->series, "QCM"))
                polymer.push_back(r);
            if (r->family == 'T')
                tantalum.push_back(r);
        }
    }
};

const Catalogue& Shipped() {
    static const Catalogue catalogue;
    return catalogue;
}

// A flat 10 mOhm mask from 10 kHz to 10 MHz, the ten best banks.
BankQuery FlatTenMilliohm(int types) {
    BankQuery q;
    q.mask = {{1e4, 0.01}};
    q.fromFrequency = 1e4;
    q.toFrequency = 1e7;
    q.maxTypes = types;
    q.maxParts = 8;
    q.limit = 10;
    return q;
}

void RunBankSearch(benchmark::State& state, const std::vector<const CapacitorRecord*>& parts,
                   const BankQuery& query) {
    if (!Shipped().loaded) {
        state.SkipWithError("the shipped data did not load");
        return;
    }
    size_t banks = 0;
    for (auto _ : state) {
        const BankSearchResult result = FindBanks(parts, query);
        banks = result.banks.size();
        benchmark::DoNotOptimize(result.banks.data());
    }
    state.counters["parts"] = static_cast<double>(parts.size());
    state.counters["banks"] = static_cast<double>(banks);
}

// K = 2, N <= 8 over the whole catalogue. Target: 1 s on two cores.
void BM_BankWholeCatalogueTwoTypes(benchmark::State& state) {
    RunBankSearch(state, Shipped().all, FlatTenMilliohm(2));
}
BENCHMARK(BM_BankWholeCatalogueTwoTypes)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same mask with N <= 10: the first banks that meet it have nine parts.
void BM_BankWholeCatalogueTenParts(benchmark::State& state) {
    BankQuery q = FlatTenMilliohm(2);
    q.maxParts = 10;
    RunBankSearch(state, Shipped().all, q);
}
BENCHMARK(BM_BankWholeCatalogueTenParts)->Unit(benchmark::kMillisecond)->UseRealTime();

// K = 3, N <= 8 over the polymer parts. Target: 10 s.
void BM_BankPolymerThreeTypes(benchmark::State& state) {
    RunBankSearch(state, Shipped().polymer, FlatTenMilliohm(3));
}
BENCHMARK(BM_BankPolymerThreeTypes)->Unit(benchmark::kMillisecond)->UseRealTime();

// K = 3, N <= 10 over the tantalum parts of family T against the README's rising mask with
// mounted parts, the best 1000 banks: the search goes through the levels of three types.
void BM_BankTantalumThreeTypes(benchmark::State& state) {
    BankQuery q;
    q.mask = {{1e3, 0.05}, {1e5, 0.01}, {2e6, 0.01}, {1e8, 1.0}};
    q.fromFrequency = 1e3;
    q.toFrequency = 1e8;
    q.maxTypes = 3;
    q.maxParts = 10;
    q.mountInductance = 0.2e-9;
    q.limit = 1000;
    RunBankSearch(state, Shipped().tantalum, q);
}
BENCHMARK(BM_BankTantalumThreeTypes)->Unit(benchmark::kMillisecond)->UseRealTime();

// The rising mask of the README, mounted parts, K = 2 over the whole catalogue.
void BM_BankRisingMaskMounted(benchmark::State& state) {
    BankQuery q;
    q.mask = {{1e3, 0.01}, {1e5, 0.01}, {2e6, 0.03}, {1e8, 1.5}};
    q.fromFrequency = 1e3;
    q.toFrequency = 1e8;
    q.maxTypes = 2;
    q.maxParts = 8;
    q.mountInductance = 0.3e-9;
    q.limit = 10;
    RunBankSearch(state, Shipped().all, q);
}
BENCHMARK(BM_BankRisingMaskMounted)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
