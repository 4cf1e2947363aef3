#include "TemperatureLists.h"

#include <cstring>

// Part numbers of the shipped catalogue: the two QAW parts of the 200 °C technology and the
// QCL parts qualified to 125 °C.

const char* const kQaw200PartNumbers[2] = {
    "QAWC226K025RJH",
    "QAWE476K016RJH",
};

const char* const kQcl125PartNumbers[25] = {
    "QCLD108M002R0015", "QCLD157K016R0035", "QCLD157M016R0035", "QCLD227M004R0030",
    "QCLD337M002R0030", "QCLD477K004R0030", "QCLD477M004R0030", "QCLD686M016R0035",
    "QCLD687M004R0015", "QCLE107M016R0015", "QCLE157K010R0025", "QCLE158K004R0012",
    "QCLE227M016R0025", "QCLE337M006R0015", "QCLE477K010R0015", "QCLE477M010R0015",
    "QCLE687K006R0012", "QCLV108K002R0015", "QCLV108M002R0015", "QCLV158K006R0015",
    "QCLV227K016R0020", "QCLV337M006R0012", "QCLV477M010R0012", "QCLV687K006R0015",
    "QCLV687M006R0015",
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
