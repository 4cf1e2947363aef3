#include "SpiceNetlist.h"

#include "CapacitorRecord.h"
#include "FrequencyResponse.h"
#include "ModelVector.h"
#include "NumberText.h"

#include <cmath>

namespace {

// Ladder capacitances below this are evaluated as this value, as the computation does.
constexpr double kSmallestCapacitance = 1e-50;

const char* LadderText(LadderKind kind) {
    switch (kind) {
    case LadderKind::SixStage:
        return "six-stage RC ladder, leakage resistance across the ladder, series inductance "
               "with its parallel resistance";
    case LadderKind::FourElement:
        return "four-element RC ladder, leakage resistance across the ladder, series "
               "inductance with its parallel resistance";
    case LadderKind::ThreeStage:
        return "three-stage RC ladder with a parallel branch, series inductance with its "
               "parallel resistance, leakage resistance across the whole network";
    }
    return "";
}

int LadderSize(LadderKind kind) {
    return kind == LadderKind::SixStage ? 6 : kind == LadderKind::FourElement ? 4 : 3;
}

// Writes the cards. `withCoefficients`: ladder elements reference RMODk / CMODk models
// holding their coefficients; otherwise plain values.
class CNetlistWriter {
public:
    CNetlistWriter(const CapacitorRecord& record, const ModelVector& vector, bool withCoefficients)
        : m_record(record), m_vector(vector), m_coefficients(withCoefficients) {}

    std::string Elements() {
        const LadderKind kind = LadderKindOf(m_record.series);
        // Nodes: PLUS and MINUS are the terminals; A is the ladder's top after the inductance.
        if (kind == LadderKind::ThreeStage) {
            // rp across the whole network, inductance included.
            Plain("RP", "PLUS", "MINUS", m_record.rp);
            Plain("LESL", "PLUS", "A", m_record.lesl);
            Plain("RELS", "PLUS", "A", m_record.rels);
            R(0, "A", "B");
            R(1, "B", "C");
            C(0, "B", "C");
            C(1, "C", "MINUS");
            R(2, "C", "D");
            C(2, "D", "MINUS");
            Plain("CPB", "A", "P", m_record.cP);
            Plain("LPB", "P", "MINUS", m_record.lP);
            Plain("RPB", "P", "MINUS", m_record.rP);
        } else {
            Plain("LESL", "PLUS", "A", m_record.lesl);
            Plain("RELS", "PLUS", "A", m_record.rels);
            Plain("RP", "A", "MINUS", m_record.rp);
            if (kind == LadderKind::FourElement) {
                R(0, "A", "B");
                R(1, "B", "C");
                C(0, "B", "C");
                R(2, "C", "D");
                C(1, "C", "D");
                C(2, "D", "MINUS");
                R(3, "D", "E");
                C(3, "E", "MINUS");
            } else {
                R(0, "A", "B");
                C(0, "A", "B");
                R(1, "B", "N2");
                // N2..N6: Ck to MINUS, then R(k+1) on to the next node.
                const char* nodes[] = {"N2", "N3", "N4", "N5", "N6"};
                for (int k = 1; k < 6; ++k) {
                    C(k, nodes[k - 1], "MINUS");
                    if (k < 5)
                        R(k + 1, nodes[k - 1], nodes[k]);
                }
            }
        }
        if (m_coefficients) {
            for (int k = 0; k < LadderSize(kind); ++k) {
                Model("RMOD", k, 'R', m_record.ladderRTc[k]);
                Model("CMOD", k, 'C', m_record.ladderCTc[k]);
            }
        }
        return m_text;
    }

private:
    void Plain(const char* name, const char* a, const char* b, double value) {
        m_text += std::string(name) + " " + a + " " + b + " " + ShortestNumber(value) + "\n";
    }
    void R(int k, const char* a, const char* b) {
        Ladder('R', "RMOD", k, a, b, 1.0 / m_vector.G(k));
    }
    void C(int k, const char* a, const char* b) {
        double value = m_vector.C(k);
        if (std::fabs(value) < kSmallestCapacitance)
            value = kSmallestCapacitance;
        Ladder('C', "CMOD", k, a, b, value);
    }
    void Ladder(char letter, const char* model, int k, const char* a, const char* b, double value) {
        // ngspice reads a resistor as "value model" and a capacitor as "model value".
        const std::string modelName = m_coefficients ? model + std::to_string(k + 1) : "";
        std::string card = std::string(1, letter) + std::to_string(k + 1) + " " + a + " " + b;
        if (modelName.empty())
            card += " " + ShortestNumber(value);
        else if (letter == 'R')
            card += " " + ShortestNumber(value) + " " + modelName;
        else
            card += " " + modelName + " " + ShortestNumber(value);
        m_text += card + "\n";
    }
    void Model(const char* model, int k, char type, const TempCoefficients& tc) {
        m_text += std::string(".MODEL ") + model + std::to_string(k + 1) + " " + type +
                  " (TC1=" + ShortestNumber(tc.tc1) + " TC2=" + ShortestNumber(tc.tc2) +
                  " TNOM=25)\n";
    }

    const CapacitorRecord& m_record;
    const ModelVector& m_vector;
    bool m_coefficients;
    std::string m_text;
};

std::string Header(const CapacitorRecord& record) {
    std::string text =
        "* " + std::string(record.partNumber) + ": " + RoundedNumber(record.capacitance, 6) +
        " uF " + RoundedNumber(record.ratedVoltage, 6) + " V, series " + record.series + ", case " +
        std::string(1, record.caseCode) + ", model " + record.libraryName + "\n";
    text += std::string("* ") + LadderText(LadderKindOf(record.series)) + ".\n";
    text += "* Typical values. No leakage diode: the impedance computation has none.\n";
    return text;
}

std::string Subcircuit(const CapacitorRecord& record, const std::string& header,
                       const ModelVector& vector, bool withCoefficients) {
    const std::string name = record.partNumber;
    return header + ".SUBCKT " + name + " PLUS MINUS\n" +
           CNetlistWriter(record, vector, withCoefficients).Elements() + ".ENDS " + name + "\n";
}

} // namespace

std::string BuildSpiceNetlist(const CapacitorRecord& record) {
    ModelVector vector;
    BuildModelVector(record, vector);
    const std::string header =
        Header(record) +
        "* Temperature: the ladder elements carry their coefficients, measured from 25 C\n"
        "* (TNOM=25 in every element model, whatever the deck's tnom); the simulator's own\n"
        "* temperature applies. The ZeltaIII computation evaluates temperatures of 195 C and\n"
        "* above at 195 C; this sub-circuit applies the coefficients at any temperature.\n";
    return Subcircuit(record, header, vector, true);
}

std::string BuildSpiceNetlistAt(const CapacitorRecord& record, double temperature) {
    ModelVector vector;
    BuildModelVector(record, vector);
    ScaleModelToTemperature(record, vector, temperature);
    const std::string header =
        Header(record) + "* Element values at " + RoundedNumber(temperature, 6) +
        " C, without temperature coefficients: the simulator's temperature\n"
        "* does not change them. The ZeltaIII computation evaluates temperatures of 195 C and\n"
        "* above at 195 C, and so do these values.\n";
    return Subcircuit(record, header, vector, false);
}
