#include "CCapacitorStore.h"
#include "CapacitorRecord.h"
#include "FilterCatalogue.h"
#include "ResourceLibrary.h"
#include "SelectFilterEngine.h"
#include "StoreCatalogue.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// The selection dialog's filter pass over a whole catalogue (target: 1 ms).

namespace {

class SilentSink : public IMessageSink {
public:
    void ShowMessage(int, MessageIcon, const std::string& text) override {
        lastMessage = text;
        while (!lastMessage.empty() && lastMessage.back() == '\n')
            lastMessage.pop_back();
    }
    std::string lastMessage;
};

// The program's own string table: the resource library next to the benchmark binary.
// Never freed, so that nothing of the library is torn down after Qt's own globals.
const CResourceLibrary& ProgramStrings() {
    static CResourceLibrary* library = [] {
        auto* loaded = new CResourceLibrary;
        loaded->SetLanguage(CResourceLibrary::Language::English);
        std::error_code error;
        const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
        loaded->Load(QStringList{QString::fromStdString(self.parent_path().string())});
        return loaded;
    }();
    return *library;
}

// The shipped catalogue and library, loaded once for every run.
struct ShippedData {
    SilentSink sink;
    std::unique_ptr<CCapacitorStore> store;
    int status = -1;

    ShippedData() : store(std::make_unique<CCapacitorStore>(sink, ProgramStrings())) {
        status = LoadStoreFromDirectory(*store, std::string(ZELTA_SOURCE_DIR) + "/product");
    }
};

const ShippedData& Shipped() {
    static ShippedData data;
    return data;
}

// One pass as a confirmed choice runs it, from the lists a user has set with `technology`.
void RunPasses(benchmark::State& state, const IFilterCatalogue& catalogue, int technology) {
    SavedFilterState saved;
    CSelectFilterEngine engine;
    engine.SetSavedState(&saved);
    engine.SetCatalogue(&catalogue);
    engine.Initialise();
    engine.SelectItem(FilterListId::Technology, technology);
    engine.FillLists(1);
    for (auto _ : state) {
        engine.FillLists(1);
        benchmark::DoNotOptimize(engine.Rows().GetCount());
    }
    state.counters["rows"] = engine.Rows().GetCount();
    state.counters["parts"] = catalogue.GetCount();
}

void BM_FilterCatalogue(benchmark::State& state) {
    const ShippedData& data = Shipped();
    if (data.status != 0) {
        state.SkipWithError(
            ("product/cap.vorn and product/vorncap.lib do not load: " + data.sink.lastMessage)
                .c_str());
        return;
    }
    CStoreCatalogue catalogue(*data.store);
    RunPasses(state, catalogue, static_cast<int>(state.range(0)));
}
// Technology 1 (Tantalum) is the start-up choice; 0 (All) walks every part into the lists.
BENCHMARK(BM_FilterCatalogue)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

// A made-up catalogue of the shipped size: 4 084 parts over the series of the technology
// list, every case, a spread of capacitances and voltages, two thirds with an ESR.
std::vector<CapacitorRecord> SyntheticCatalogue() {
    static const char* const kSeries[] = {"QAK", "QBH", "QAY", "QAX", "QAP", "QAT", "QAW",
                                          "QAU", "QAV", "QAZ", "QCL", "QCM", "QBM", "QBN",
                                          "QCN", "QBT", "QCJ", "QBZ", "QCK", "QCR", "QCT",
                                          "QCU", "QCV", "QCW", "QCX", "QCY", "QCZ", "QDA"};
    static const double kCapacitance[] = {0.1, 0.15, 0.22, 0.33, 0.47, 0.68, 1,   1.5, 2.2,
                                          3.3, 4.7,  6.8,  10,   15,   22,   33,  47,  68,
                                          100, 150,  220,  330,  470,  680,  1000};
    static const double kVoltage[] = {2.5, 4, 6.3, 10, 16, 20, 25, 35, 50};
    static const char kCases[] = "ABCDEPRSTUVWXY";
    std::vector<CapacitorRecord> records(4084);
    for (size_t i = 0; i < records.size(); ++i) {
        CapacitorRecord& r = records[i];
        std::memset(&r, 0, sizeof r);
        const char* series = kSeries[i * 28 / records.size()];
        std::memcpy(r.series, series, 4);
        const bool conformal = std::strstr("QCT QCU QCV QCW QCX QCY QCZ", series) != nullptr;
        const bool niobium = std::strstr("QBT QBZ QCJ QCK QCR", series) != nullptr;
        r.family = conformal ? 'F' : niobium ? 'N' : 'T';
        r.caseCode = kCases[(i / 7) % 14];
        r.capacitance = kCapacitance[(i * 7) % 25];
        r.ratedVoltage = kVoltage[(i * 5) % 9];
        r.tolerance = (i % 2) ? 'M' : 'K';
        r.esrMax = (i % 3) ? 25.0 * static_cast<double>(1 + (i * 13) % 120) : 0;
        const bool hot = i % 97 == 0 && r.family == 'T';
        char part[64];
        std::snprintf(part, sizeof part, "%s%c%05u%s", series, r.caseCode,
                      static_cast<unsigned>(i % 100000),
                      hot       ? "RJH"
                      : (i % 2) ? "MR"
                                : "KR");
        std::snprintf(r.partNumber, sizeof r.partNumber, "%.16s", part);
    }
    return records;
}

void BM_FilterSyntheticCatalogue(benchmark::State& state) {
    static const std::vector<CapacitorRecord> records = SyntheticCatalogue();
    CRecordCatalogue catalogue(records);
    RunPasses(state, catalogue, static_cast<int>(state.range(0)));
}
BENCHMARK(BM_FilterSyntheticCatalogue)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

} // namespace
