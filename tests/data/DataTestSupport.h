#pragma once

// Helpers shared by the data, store and benchmark code: a sink that records what the loaders
// show, and writers of generated catalogues and libraries for the sizes no fixture should hold.

#include "Messages.h"

#include <cstdio>
#include <string>
#include <vector>

struct ShownMessage {
    int id;
    MessageIcon icon;
    std::string text;
};

class RecordingSink : public IMessageSink {
public:
    void ShowMessage(int stringId, MessageIcon icon, const std::string& text) override {
        messages.push_back({stringId, icon, text});
    }
    std::vector<ShownMessage> messages;
};

namespace generated {

// Series of the families T and N, including the two that use the four-stage and the
// parallel-branch networks.
inline const char* const kSeries[] = {"QAK", "QBH", "QAY", "QAX", "QAP", "QAT", "QAV", "QAZ",
                                      "QDD", "QCL", "QCM", "QDA", "QBM", "QBN", "QDC", "QCN",
                                      "QBT", "QCJ", "QBZ", "QDB", "QCK", "QCR"};
constexpr int kSeriesCount = sizeof kSeries / sizeof kSeries[0];

// The sub-circuit name of model `i`: a distinct 11-character code with tolerance letter K.
inline std::string ModelName(int i, char tolerance = 'K') {
    const int rest = i / kSeriesCount;
    const int rest2 = rest / 5;
    const int rest3 = rest2 / 90;
    char code[32];
    std::snprintf(code, sizeof code, "%s%c%02d%d%c%03d", kSeries[i % kSeriesCount],
                  "ABCDE"[rest % 5], 10 + rest2 % 90, 4 + rest3 % 4, tolerance, 4 + rest3 / 4);
    return code;
}

inline int StagesOf(const std::string& name) {
    const std::string series = name.substr(0, 3);
    if (series == "QCL" || series == "QCM")
        return 4;
    return series == "QCR" ? 3 : 6;
}

// Catalogue rows for models 0 .. models-1, one part per tolerance letter given.
inline std::string CatalogueText(int models, const std::string& tolerances = "K") {
    std::string text = "* Part number\tLibrary name\tSerie\tCase size\tCapacitance (uF)\tRated "
                       "voltage (V)\tLeakage current (uA)\tDF (%)\tESR (mOhms)\r\n";
    for (int i = 0; i < models; ++i) {
        for (char tolerance : tolerances) {
            const std::string code = ModelName(i, tolerance);
            text += code + "R\t" + code + "\t" + code.substr(0, 3) + "\t" + code.substr(3, 1) +
                    "\t10\t6.3\t0.63\t8\t500\r\n";
        }
    }
    return text;
}

// The RC elements of each network shape with their nodes, in the order of a block.
inline const char* const kSixStages[] = {"R1 2 3", "C1 2 3", "R2 3 4", "C2 4 9",
                                         "R3 4 5", "C3 5 9", "R4 5 6", "C4 6 9",
                                         "R5 6 7", "C5 7 9", "R6 7 8", "C6 8 9"};
inline const char* const kFourStages[] = {"R1 2 3", "C1 3 4", "R2 3 4", "C2 4 5",
                                          "R3 4 5", "C3 5 9", "R4 5 6", "C4 6 9"};
inline const char* const kThreeStages[] = {"R1 2 3", "C1 3 4", "R2 3 4",
                                           "C2 4 9", "R3 4 5", "C3 5 9"};

inline const char* const* ElementsOf(int stages) {
    return stages == 6 ? kSixStages : (stages == 4 ? kFourStages : kThreeStages);
}

inline std::string LibraryBlock(const std::string& name) {
    const int stages = StagesOf(name);
    const char* const* elements = ElementsOf(stages);
    std::string text = ".SUBCKT " + name +
                       " 1 9\r\nLesl 1 2 1.800000e-009\r\nRels 1 2 10\r\n"
                       "Rp 2 9 2.500000e+007\r\nDp 9 2 DFWD\r\n";
    for (int e = 0; e < stages * 2; ++e) {
        const char* element = elements[e];
        const bool capacitor = element[0] == 'C';
        text += std::string(element) + (capacitor ? " CMOD" : " RMOD") + element[1] +
                (capacitor ? " 4.700000e-006\r\n" : " 1.500000e-002\r\n");
    }
    if (stages == 3)
        text += "C_P 2 6 2.2e-009\r\nL_P 6 9 3.3e-009\r\nR_P 6 9 0.5\r\n";
    for (const char* type : {"CAP", "RES"}) {
        for (int k = 1; k <= stages; ++k) {
            text += std::string(".MODEL ") + (type[0] == 'C' ? "CMOD" : "RMOD") +
                    std::to_string(k) + " " + type +
                    " (T_MEASURED=25 TC1=1.463615e-003 TC2=-4.147800e-005)\r\n";
        }
    }
    return text + ".MODEL DFWD D (RS=0.1 IS=1e-25 N=2.5 XTI=0 EG=0.1)\r\n.ENDS\r\n";
}

inline std::string LibraryText(int models) {
    std::string text = "* Generated capacitor models\r\n";
    for (int i = 0; i < models; ++i)
        text += LibraryBlock(ModelName(i)) + "\r\n";
    return text;
}

inline bool WriteFile(const std::string& path, const std::string& text) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written;
}

} // namespace generated
