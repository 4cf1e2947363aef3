#include "FrequencyResponse.h"
#include "ModelFixtures.h"
#include "ModelVector.h"
#include "SpiceAgreement.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// The frequency response against an independent circuit simulator: the same sub-circuit
// in ngspice, AC analysis at several temperatures, |Z| and ESR within 1e-9 relative over
// the whole band. The leakage diode is left out of the netlists; it never enters the
// impedance.

namespace {

const double kTemperatures[] = {-55, 0, 25, 85, 125, 190};

std::string Num(double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17g", v);
    return buffer;
}

std::string Resistor(const std::string& name, const std::string& a, const std::string& b,
                     double value, TempCoefficients tc) {
    return name + " " + a + " " + b + " " + Num(value) + " tc1=" + Num(tc.tc1) +
           " tc2=" + Num(tc.tc2) + "\n";
}

std::string Capacitor(const std::string& name, const std::string& a, const std::string& b,
                      double value, TempCoefficients tc) {
    return Resistor(name, a, b, value, tc); // same card shape: value tc1 tc2
}

std::string Plain(const std::string& name, const std::string& a, const std::string& b,
                  double value) {
    return name + " " + a + " " + b + " " + Num(value) + "\n";
}

// The sub-circuit between node "in" and ground, driven by a 1 A AC current source, so that
// V(in) is the impedance.
std::string Netlist(const CapacitorRecord& r) {
    std::string n = "capacitor model\nI1 0 in AC 1\n";
    const auto R = [&](int k, const std::string& a, const std::string& b) {
        return Resistor("R" + std::to_string(k + 1), a, b, r.ladderR[k], r.ladderRTc[k]);
    };
    const auto C = [&](int k, const std::string& a, const std::string& b) {
        return Capacitor("C" + std::to_string(k + 1), a, b, r.ladderC[k], r.ladderCTc[k]);
    };
    const LadderKind kind = LadderKindOf(r.series);
    if (kind == LadderKind::ThreeStage) {
        // rp across the whole network, the inductance included. Element names are
        // case-insensitive in SPICE, hence Rleak and the branch names.
        n += Plain("Rleak", "in", "0", r.rp);
        n += Plain("Lesl", "in", "a", r.lesl) + Plain("Rels", "in", "a", r.rels);
        n += R(0, "a", "b") + R(1, "b", "c") + C(0, "b", "c");
        n += C(1, "c", "0") + R(2, "c", "d") + C(2, "d", "0");
        n += Plain("Cbranch", "a", "p", r.cP) + Plain("Lbranch", "p", "0", r.lP) +
             Plain("Rbranch", "p", "0", r.rP);
    } else {
        // rp across the ladder only; the inductance in series.
        n += Plain("Lesl", "in", "a", r.lesl) + Plain("Rels", "in", "a", r.rels);
        n += Plain("Rleak", "a", "0", r.rp);
        if (kind == LadderKind::FourElement) {
            n += R(0, "a", "b") + R(1, "b", "c") + C(0, "b", "c");
            n += R(2, "c", "d") + C(1, "c", "d");
            n += C(2, "d", "0") + R(3, "d", "e") + C(3, "e", "0");
        } else {
            n += R(0, "a", "b") + C(0, "a", "b") + R(1, "b", "n2");
            // Node n2..n6: Ck to ground, then R(k+1) on to the next node.
            const char* nodes[] = {"n2", "n3", "n4", "n5", "n6"};
            for (int k = 1; k < 6; ++k) {
                n += C(k, nodes[k - 1], "0");
                if (k < 5)
                    n += R(k + 1, nodes[k - 1], nodes[k]);
            }
        }
    }
    n += ".options TNOM=25\n.control\nset wr_singlescale\noption numdgt=15\n";
    for (double t : kTemperatures) {
        n += "option temp=" + Num(t) + "\nac dec 100 100 1e8\n";
        n += "wrdata out" + std::to_string(static_cast<int>(t) + 100) + ".txt v(in)\n";
    }
    n += ".endc\n.end\n";
    return n;
}

bool HaveNgspice() {
    return std::system("command -v ngspice >/dev/null 2>&1") == 0;
}

class SpiceComparison : public ::testing::TestWithParam<CapacitorRecord (*)()> {};

TEST_P(SpiceComparison, ImpedanceAndEsrAgreeAcrossTemperatures) {
    if (!HaveNgspice())
        GTEST_SKIP() << "ngspice is not installed";
    CapacitorRecord record = GetParam()();
    AddTemperatureCoefficients(record);

    const std::string dir = MakeTempDir(std::string("spice-") + record.series);
    {
        std::ofstream netlist(dir + "/model.cir");
        netlist << Netlist(record);
    }
    const std::string command = "cd '" + dir + "' && ngspice -b model.cir > ngspice.log 2>&1";
    // ngspice -b reports a non-zero status even after a good run of a .control block;
    // the output files are the evidence.
    (void)std::system(command.c_str());

    for (double t : kTemperatures)
        ExpectSpiceAgreement(
            record, t,
            ReadSpiceSamples(dir + "/out" + std::to_string(static_cast<int>(t) + 100) + ".txt"),
            std::string(record.series) + " at " + std::to_string(t) + " C, see " + dir +
                "/ngspice.log");
}

INSTANTIATE_TEST_SUITE_P(Ladders, SpiceComparison,
                         ::testing::Values(&SixStageRecord, &FourElementRecord, &ThreeStageRecord));

} // namespace
