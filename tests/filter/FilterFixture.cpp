#include "FilterFixture.h"

#include <cstdio>
#include <cstring>

CapacitorRecord MakeRecord(const char* partNumber, char family, const char* series, char caseCode,
                           double capacitance, char tolerance, double voltage, double esr) {
    CapacitorRecord r;
    std::memset(&r, 0, sizeof r);
    std::snprintf(r.partNumber, sizeof r.partNumber, "%s", partNumber);
    std::snprintf(r.libraryName, sizeof r.libraryName, "%s", partNumber);
    r.family = family;
    std::snprintf(r.series, sizeof r.series, "%s", series);
    r.caseCode = caseCode;
    r.capacitance = capacitance;
    r.tolerance = tolerance;
    r.ratedVoltage = voltage;
    r.esrMax = esr;
    r.dclMax = 0.01 * capacitance * voltage;
    r.tMeasured = 25;
    return r;
}

std::vector<CapacitorRecord> SampleCatalogue() {
    return {
        MakeRecord("QAKA106K006RNJ", 'T', "QAK", 'A', 10, 'K', 6.3),
        MakeRecord("QAKB106M016RNJ", 'T', "QAK", 'B', 10, 'M', 16),
        MakeRecord("QAKB475K025RNJ", 'T', "QAK", 'B', 4.7, 'K', 25),
        MakeRecord("QAKA105K035RNJ", 'T', "QAK", 'A', 1, 'K', 35),
        MakeRecord("QAKC107K002RNJ", 'T', "QAK", 'C', 100, 'K', 2.5),
        MakeRecord("QBHD106K016R0300", 'T', "QBH", 'D', 10, 'K', 16, 300),
        MakeRecord("QAWC106K016RJN", 'T', "QAW", 'C', 10, 'K', 16),
        MakeRecord("QAWD106K016RJH", 'T', "QAW", 'D', 10, 'K', 16),
        MakeRecord("QCLD107M010R0050", 'T', "QCL", 'D', 100, 'M', 10, 50),
        MakeRecord("QCMD227M006R0040", 'T', "QCM", 'D', 220, 'M', 6.3, 40),
        MakeRecord("QCMV157M016R0100", 'T', "QCM", 'V', 150, 'M', 16, 100),
        MakeRecord("QCNE108M050R", 'T', "QCN", 'E', 1000, 'M', 50),
        MakeRecord("QBTA105M004RWJ", 'N', "QBT", 'A', 1, 'M', 4),
        MakeRecord("QCJB475M004RNJ", 'N', "QCJ", 'B', 4.7, 'M', 4),
        MakeRecord("QCRB106M004RNJ", 'N', "QCR", 'B', 10, 'M', 4),
        MakeRecord("QCT1C106MRAA", 'F', "QCT", 'R', 10, 'M', 16),
        MakeRecord("QCU0J475KPAA", 'F', "QCU", 'P', 4.7, 'K', 6.3),
        MakeRecord("QCV1A106KRAA", 'F', "QCV", 'R', 10, 'K', 10),
    };
}
