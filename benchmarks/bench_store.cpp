#include "../tests/data/DataTestSupport.h"
#include "CCapacitorStore.h"
#include "ResourceLibrary.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

namespace {

class QuietSink : public IMessageSink {
public:
    void ShowMessage(int, MessageIcon, const std::string& text) override { last = text; }
    std::string last;
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

// The whole start-up load of one data folder, tables allocated afresh each time.
void LoadFolder(benchmark::State& state, const std::string& folder) {
    QuietSink sink;
    auto store = std::make_unique<CCapacitorStore>(sink, ProgramStrings());
    for (auto _ : state) {
        if (LoadStoreFromDirectory(*store, folder) != 0) {
            state.SkipWithError(("the data did not load: " + sink.last).c_str());
            break;
        }
    }
    state.counters["parts"] = store->GetCount();
    state.counters["models"] = store->GetModelCount();
}

// The shipped cap.vorn and vorncap.lib. Target: 10 ms.
void BM_LoadStore(benchmark::State& state) {
    const std::string folder = std::string(ZELTA_SOURCE_DIR) + "/product";
    std::error_code error;
    if (!std::filesystem::exists(folder + "/cap.vorn", error) ||
        !std::filesystem::exists(folder + "/vorncap.lib", error)) {
        state.SkipWithError("product/cap.vorn and product/vorncap.lib do not exist yet; "
                            "generate the product data first");
        return;
    }
    LoadFolder(state, folder);
}
BENCHMARK(BM_LoadStore)->Unit(benchmark::kMillisecond);

// A generated pair of the shipped size (4 084 parts, 2 042 models) for when the product
// data is not there or to compare against it.
void BM_LoadStoreGenerated(benchmark::State& state) {
    std::error_code error;
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path(error) /
        ("zelta-bench-store-" + std::to_string(static_cast<long>(::getpid())));
    std::filesystem::create_directories(folder, error);
    if (error ||
        !generated::WriteFile((folder / "cap.vorn").string(),
                              generated::CatalogueText(2042, "KM")) ||
        !generated::WriteFile((folder / "vorncap.lib").string(), generated::LibraryText(2042))) {
        state.SkipWithError("cannot write the generated data files");
        std::filesystem::remove_all(folder, error);
        return;
    }
    LoadFolder(state, folder.string());
    std::filesystem::remove_all(folder, error);
}
BENCHMARK(BM_LoadStoreGenerated)->Unit(benchmark::kMillisecond);

} // namespace
