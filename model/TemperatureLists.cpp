#include "TemperatureLists.h"

#include <cstring>

// These entries are placeholders shaped like real part numbers until the product data of
// the shipped catalogue fills them in; the rules that use them hold for any list.

const char* const kQaw200PartNumbers[2] = {
    "QAWD226K025R0300",
    "QAWE107K016R0150",
};

const char* const kQcl125PartNumbers[25] = {
    "QCLA105M010R", "QCLA225M006R", "QCLA475M004R", "QCLA105K016R", "QCLA335M006R",
    "QCLB475M010R", "QCLB106M006R", "QCLB226M004R", "QCLB225M016R", "QCLB106K010R",
    "QCLC106M016R", "QCLC226M010R", "QCLC476M006R", "QCLC475M025R", "QCLC336K010R",
    "QCLD226M020R", "QCLD476M016R", "QCLD107M010R", "QCLD156M025R", "QCLD686K010R",
    "QCLE476M020R", "QCLE107M016R", "QCLE227M010R", "QCLE336M025R", "QCLE157K010R",
};

namespace {

template <int N> bool InList(const char* const (&list)[N], const char* partNumber) {
    if (partNumber == nullptr)
        return false;
    for (const char* entry : list) {
        if (std::strcmp(entry, partNumber) == 0)
            return true;
    }
    return false;
}

} // namespace

bool IsQaw200Part(const char* partNumber) {
    return InList(kQaw200PartNumbers, partNumber);
}

bool IsQcl125Part(const char* partNumber) {
    return InList(kQcl125PartNumbers, partNumber);
}
