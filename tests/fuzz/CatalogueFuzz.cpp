// The catalogue reader on any bytes: no crash, no sanitizer report, and every record it
// accepts holds values the computations can use.
#include "Catalogue.h"
#include "FuzzSupport.h"
#include "RecordIndex.h"
#include "ValueLimits.h"

#include <cstdlib>
#include <initializer_list>
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
        // The columns are what the file says (a rated voltage of 0, a DF of -1), but of a
        // size every computation can hold.
        for (const double value : {r.capacitance, r.ratedVoltage, r.dclMax, r.dfMax, r.esrMax}) {
            if (!IsUsableNumber(value))
                std::abort();
        }
    }
    return 0;
}
