// The catalogue reader on any bytes: no crash, no sanitizer report, and every record it
// accepts holds values the computations can use.
#include "Catalogue.h"
#include "FuzzSupport.h"
#include "RecordIndex.h"
#include "ValueLimits.h"

#include <cstdlib>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static auto records = std::make_unique<CapacitorRecord[]>(kMaxCapacitors);
    static auto index = std::make_unique<CapacitorRecord*[]>(kMaxCapacitors);
    const char* path = fuzz::InputFile(data, size, ".vorn");
    if (path == nullptr)
        return 0;
    fuzz::CDroppingSink sink;
    fuzz::CFormatStrings strings;
    std::uint32_t count = 0;
    if (ReadCatalogueFile(path, records.get(), index.get(), count, sink, strings) != 0)
        return 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        const CapacitorRecord& r = *index[i];
        if (!IsPositiveValue(r.capacitance) || !IsPositiveValue(r.ratedVoltage))
            std::abort();
    }
    return 0;
}
