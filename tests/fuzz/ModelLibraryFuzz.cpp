// The model-library reader on any bytes, joined to a fixed catalogue. A library that loads
// must give finite curves and ripple limits at every temperature of the program: nothing a
// file holds may turn into an infinity or a NaN on a graph.
#include "Catalogue.h"
#include "FuzzSupport.h"
#include "ModelLibrary.h"
#include "RecordIndex.h"
#include "ValueLimits.h"
#include "WorkingState.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

void CheckFinite(const double* values, int count) {
    for (int i = 0; i < count; ++i) {
        if (!std::isfinite(values[i]))
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static auto catalogue = std::make_unique<CapacitorRecord[]>(kMaxCapacitors);
    static auto catalogueIndex = std::make_unique<CapacitorRecord*[]>(kMaxCapacitors);
    static auto models = std::make_unique<CapacitorRecord[]>(kMaxModels);
    static auto modelIndex = std::make_unique<CapacitorRecord*[]>(kMaxModels);
    static auto state = std::make_unique<CWorkingState>();
    fuzz::CDroppingSink sink;
    fuzz::CFormatStrings strings;

    // The catalogue of the store fixture: parts of all three network shapes.
    std::uint32_t catalogueCount = 0;
    if (ReadCatalogueFile(ZELTA_FUZZ_CATALOGUE, catalogue.get(), catalogueIndex.get(),
                          catalogueCount, sink, strings) != 0)
        std::abort();
    const char* path = fuzz::InputFile(data, size, ".lib");
    if (path == nullptr)
        return 0;
    std::uint32_t modelCount = 0;
    ModelTables tables{models.get(), modelIndex.get(), modelCount, catalogueIndex.get(),
                       catalogueCount};
    if (ReadModelLibraryFile(path, tables, sink, strings) != 0)
        return 0;
    for (std::uint32_t i = 0; i < catalogueCount; ++i) {
        for (const double temperature : {kLowestModelTemperature, 25.0, kHighestModelTemperature}) {
            state->selectedTemperature = temperature;
            state->TakeCapacitor(catalogueIndex[i]);
            state->RecomputeCurves();
            const int n = state->pointCount;
            for (const CurveSet* curves : {&state->referenceCurves, &state->temperatureCurves}) {
                CheckFinite(curves->impedanceMagnitude, n);
                CheckFinite(curves->esr, n);
            }
            CheckFinite(state->rippleCurrentAtTemperature, n);
            CheckFinite(state->rippleVoltageAtTemperature, n);
            CheckFinite(state->dclAtConditions, kDclPoints);
        }
    }
    return 0;
}
