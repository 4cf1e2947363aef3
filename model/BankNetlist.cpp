#include "BankNetlist.h"

#include "BankSearch.h"
#include "CapacitorRecord.h"
#include "NumberText.h"
#include "SpiceNetlist.h"

namespace {

std::string Card(const std::string& name, const std::string& a, const std::string& b,
                 double value) {
    return name + " " + a + " " + b + " " + ShortestNumber(value) + "\n";
}

} // namespace

std::string BuildBankDeck(const Bank& bank, const BankQuery& q) {
    std::string title = "ZeltaIII decoupling bank:";
    for (int i = 0; i < bank.typeCount; ++i)
        title += std::string(i == 0 ? " " : " + ") + std::to_string(bank.parts[i].count) + " x " +
                 bank.parts[i].record->partNumber;
    std::string deck = title + " at " + RoundedNumber(q.temperature, 6) + " C\n";
    deck += "* The rail's impedance is V(rail) for the 1 A AC source I1. Every part sits behind\n"
            "* its mounting (pads and vias) as a series L and R; the converter's output, when\n"
            "* there is one, is a series R and L from the rail to ground. The program computes\n"
            "* with w = 2 pi f for 2 pi = 6.283185308, the simulator with its full value.\n";
    for (int i = 0; i < bank.typeCount; ++i)
        deck += BuildSpiceNetlistAt(*bank.parts[i].record, q.temperature);

    for (int i = 0; i < bank.typeCount; ++i) {
        const CapacitorRecord& r = *bank.parts[i].record;
        const double lm = MountInductanceOf(q, r.caseCode);
        deck += "* " + std::to_string(bank.parts[i].count) + " x " + r.partNumber + ", mounting " +
                ShortestNumber(lm) + " H and " + ShortestNumber(q.mountResistance) + " Ohm each\n";
        for (int j = 1; j <= bank.parts[i].count; ++j) {
            const std::string id = std::to_string(i + 1) + "_" + std::to_string(j);
            std::string node = "rail";
            if (lm > 0.0) {
                deck += Card("LM" + id, node, "m" + id, lm);
                node = "m" + id;
            }
            if (q.mountResistance > 0.0) {
                deck += Card("RM" + id, node, "p" + id, q.mountResistance);
                node = "p" + id;
            }
            deck += "X" + id + " " + node + " 0 " + r.partNumber + "\n";
        }
    }
    if (q.converter) {
        deck += "* the converter's output\n";
        if (q.converterResistance > 0.0 && q.converterInductance > 0.0) {
            deck += Card("RVRM", "rail", "vrm", q.converterResistance);
            deck += Card("LVRM", "vrm", "0", q.converterInductance);
        } else if (q.converterResistance > 0.0) {
            deck += Card("RVRM", "rail", "0", q.converterResistance);
        } else {
            deck += Card("LVRM", "rail", "0", q.converterInductance);
        }
    }
    deck += "I1 0 rail AC 1\n"
            ".ac dec 100 100 1e8\n"
            ".print ac vm(rail)\n"
            ".end\n";
    return deck;
}
