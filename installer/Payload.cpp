#include "Payload.h"

#include "ProductFiles.h"

using W = PayloadEntry::When;

const PayloadEntry kPayloadTable[kPayloadCount] = {
    {132, ProductFiles::kUninstaller, W::Always, true},
    {131, ProductFiles::kProgram, W::NotNt, true},
    {137, ProductFiles::kProgram, W::Nt, true},
    {138, ProductFiles::kResourceLibrary, W::Always, false},
    {129, ProductFiles::kModelLibrary, W::Always, false},
    {130, ProductFiles::kCatalogue, W::Always, false},
    {136, ProductFiles::kServerSettings, W::Always, false},
};
