#include "TemperatureLists.h"

#include <cstring>

// Part numbers of the shipped catalogue: the two QAW parts of the 200 °C technology and the
// QCL parts qualified to 125 °C.

const char* const kQaw200PartNumbers[2] = {
    "QAWC156K025RJH",
    "QAWE477K010RJH",
};

const char* const kQcl125PartNumbers[25] = {
    "QCLD107M016R0040", "QCLD157K006R0018", "QCLD157M006R0018", "QCLD158K002R0015",
    "QCLD337K004R0018", "QCLD337M006R0030", "QCLD477K002R0030", "QCLD477M010R0035",
    "QCLD687M004R0015", "QCLE108M004R0020", "QCLE157M010R0015", "QCLE158K004R0012",
    "QCLE227M016R0018", "QCLE337M006R0015", "QCLE477K016R0025", "QCLE687K002R0010",
    "QCLE687M002R0010", "QCLV108K002R0015", "QCLV108M004R0010", "QCLV158K006R0015",
    "QCLV227M016R0012", "QCLV337M010R0018", "QCLV687K004R0015", "QCLV687K016R0020",
    "QCLV687M010R0020",
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
