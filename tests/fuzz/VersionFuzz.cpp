// The version text "zelta.txt" of the update server on any bytes.
#include "VersionCheck.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Only the first kVersionTextBytes bytes are ever read from the server.
    const std::size_t length = size < kVersionTextBytes ? size : kVersionTextBytes;
    float version = 0.0f;
    if (ParseVersionText(reinterpret_cast<const char*>(data), length, version)) {
        if (!std::isfinite(version))
            std::abort();
        (void)IsNewerVersion(version);
    }
    return 0;
}
