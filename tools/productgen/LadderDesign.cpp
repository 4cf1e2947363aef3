#include "LadderDesign.h"

#include "FrequencyResponse.h"
#include "ModelVector.h"
#include "ProductRange.h"
#include "SpiceNumber.h"
#include "SplitMix.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr double kTwoPiExact = 6.283185307179586;

enum class Shape { SixStage, FourElement, ThreeStage };

Shape ShapeOf(const char* series) {
    if (std::strcmp(series, "QCR") == 0)
        return Shape::ThreeStage;
    if (std::strcmp(series, "QCL") == 0 || std::strcmp(series, "QCM") == 0)
        return Shape::FourElement;
    return Shape::SixStage;
}

// The dimensionless plan of a ladder; the bulk capacitance and the series resistance are
// solved for afterwards.
struct LadderPlan {
    double relaxCorner; // Hz: corner of the dielectric relaxation element (R||C in series)
    double relaxRatio;  // its capacitance against the bulk
    double rollOff;     // Hz: where the anode's deeper capacitance starts to drop out
    double depth[5];    // six-stage ladder: C2..C6 against the bulk
    double midRatio;    // four-element ladder: the second series R||C against the bulk
    double branchC;     // three-stage ladder: parallel branch capacitance against the bulk
    double branchL;     // H
    double branchR;     // against the ESR target
};

double Section(double corner, double capacitance) {
    return 1.0 / (kTwoPiExact * corner * capacitance);
}

// Ladder values from the plan, the bulk capacitance `cb` (F) and the series resistance `rs`.
void FillLadder(CapacitorRecord& r, Shape shape, const LadderPlan& p, double cb, double rs,
                double esrTarget) {
    for (int k = 0; k < 6; ++k) {
        r.ladderR[k] = 1.0;
        r.ladderC[k] = 0.0;
    }
    const double relaxC = p.relaxRatio * cb;
    const double relaxR = Section(p.relaxCorner, relaxC);
    switch (shape) {
    case Shape::SixStage: {
        // R1||C1 is the dielectric relaxation, R2 the cathode and terminations, and
        // C2..C6 behind R3..R6 the porous anode from its surface inwards.
        static const double kCorner[4] = {3.0, 1.0, 0.35, 0.12};
        r.ladderC[0] = relaxC;
        r.ladderR[0] = relaxR;
        r.ladderR[1] = rs;
        for (int k = 1; k < 6; ++k)
            r.ladderC[k] = p.depth[k - 1] * cb;
        for (int k = 2; k < 6; ++k) {
            double behind = 0.0;
            for (int j = k; j < 6; ++j)
                behind += r.ladderC[j];
            r.ladderR[k] = Section(p.rollOff * kCorner[k - 2], behind);
        }
        break;
    }
    case Shape::FourElement:
        // R1 the polymer and terminations, R2||C1 the relaxation, R3||C2 the outer layer,
        // C3 the anode and R4, C4 its deepest part.
        r.ladderR[0] = rs;
        r.ladderC[0] = relaxC;
        r.ladderR[1] = relaxR;
        r.ladderC[1] = p.midRatio * cb;
        r.ladderR[2] = Section(0.7 * p.rollOff, r.ladderC[1]);
        r.ladderC[2] = 0.8 * cb;
        r.ladderC[3] = 0.2 * cb;
        r.ladderR[3] = Section(0.25 * p.rollOff, r.ladderC[3]);
        break;
    case Shape::ThreeStage:
        // As the four-element ladder with a two-stage anode, plus the face-down terminal
        // path C_P, L_P||R_P across the ladder.
        r.ladderR[0] = rs;
        r.ladderC[0] = relaxC;
        r.ladderR[1] = relaxR;
        r.ladderC[1] = 0.55 * cb;
        r.ladderC[2] = 0.45 * cb;
        r.ladderR[2] = Section(0.4 * p.rollOff, r.ladderC[2]);
        r.cP = p.branchC * cb;
        r.lP = p.branchL;
        r.rP = p.branchR * esrTarget;
        break;
    }
}

void Evaluate(const CapacitorRecord& r, double frequency, FrequencyPoint& point) {
    ModelVector v{};
    BuildModelVector(r, v);
    point = FrequencyPoint{};
    point.frequency = frequency;
    EvaluatePoint(r, point, v, false);
}

// Temperature coefficients (tc1, tc2) that give factor 1 - drop at -55 °C and 1 + rise at
// 125 °C: 1 + tc1 dT + tc2 dT² through dT = -80 and dT = 100.
TempCoefficients CoefficientsThrough(double atMinus55, double at125) {
    const double y1 = atMinus55 - 1.0;
    const double y2 = at125 - 1.0;
    const double det = -80.0 * 10000.0 - 6400.0 * 100.0;
    TempCoefficients tc;
    tc.tc1 = (y1 * 10000.0 - 6400.0 * y2) / det;
    tc.tc2 = (-80.0 * y2 - 100.0 * y1) / det;
    return tc;
}

struct TemperatureRange {
    double capDrop[2]; // capacitance lost at -55 °C
    double esrRise[2]; // ESR gained at -55 °C
};

TemperatureRange TemperatureRangeOf(Technology t) {
    switch (t) {
    case Technology::Manganese:
        return {{0.07, 0.12}, {0.30, 0.45}};
    case Technology::Polymer:
        return {{0.04, 0.08}, {0.15, 0.30}};
    case Technology::NiobiumOxide:
        return {{0.08, 0.13}, {0.35, 0.50}};
    case Technology::NiobiumPolymer:
        return {{0.05, 0.09}, {0.20, 0.30}};
    case Technology::WetTantalum:
        return {{0.12, 0.20}, {0.45, 0.60}};
    }
    return {{0.07, 0.12}, {0.30, 0.45}};
}

// The capacitance rises and the ESR falls steadily from -55 °C to 195 °C: the gain above
// 25 °C is kept at 0.75 to 0.95 of the loss below, which keeps the parabola's vertex beyond
// 195 °C.
void SetTemperatureCoefficients(CapacitorRecord& r, Technology t, CSplitMix& rng) {
    const TemperatureRange range = TemperatureRangeOf(t);
    const double capDrop = rng.Uniform(range.capDrop[0], range.capDrop[1]);
    const double capRise = capDrop * rng.Uniform(0.75, 0.95);
    const double esrRise = rng.Uniform(range.esrRise[0], range.esrRise[1]);
    const double esrDrop = esrRise * rng.Uniform(0.76, 0.9);
    const TempCoefficients c = CoefficientsThrough(1.0 - capDrop, 1.0 + capRise);
    const TempCoefficients g = CoefficientsThrough(1.0 + esrRise, 1.0 - esrDrop);
    for (int k = 0; k < 6; ++k) {
        const double jc = rng.Uniform(0.95, 1.05);
        const double jr = rng.Uniform(0.95, 1.05);
        r.ladderCTc[k] = {c.tc1 * jc, c.tc2 * jc};
        r.ladderRTc[k] = {g.tc1 * jr, g.tc2 * jr};
    }
}

double RollOffProduct(Technology t) {
    switch (t) {
    case Technology::Polymer:
    case Technology::NiobiumPolymer:
        return 8.0;
    case Technology::WetTantalum:
        return 10.0;
    case Technology::Manganese:
    case Technology::NiobiumOxide:
        break;
    }
    return 25.0;
}

double DielectricLoss(Technology t, CSplitMix& rng) {
    switch (t) {
    case Technology::Manganese:
        return rng.Uniform(0.012, 0.03);
    case Technology::Polymer:
    case Technology::NiobiumPolymer:
        return rng.Uniform(0.01, 0.025);
    case Technology::NiobiumOxide:
        return rng.Uniform(0.015, 0.035);
    case Technology::WetTantalum:
        return rng.Uniform(0.02, 0.04);
    }
    return 0.02;
}

double RoundSignificant(double value, int digits) {
    const double scale =
        std::pow(10.0, digits - 1 - static_cast<int>(std::floor(std::log10(value))));
    return std::round(value * scale) / scale;
}

void RoundAsPrinted(CapacitorRecord& r) {
    auto round = [](double& v) { v = RoundTripSpiceNumber(v); };
    round(r.lesl);
    round(r.rels);
    round(r.rp);
    for (int k = 0; k < 6; ++k) {
        round(r.ladderR[k]);
        round(r.ladderC[k]);
        round(r.ladderRTc[k].tc1);
        round(r.ladderRTc[k].tc2);
        round(r.ladderCTc[k].tc1);
        round(r.ladderCTc[k].tc2);
    }
    round(r.cP);
    round(r.lP);
    round(r.rP);
}

} // namespace

bool DesignLadder(ProductModel& m, double rollOffScale) {
    const ProductSeries& s = *m.series;
    const CaseSize& cs = CaseOf(m.caseCode);
    CapacitorRecord& r = m.record;
    CSplitMix rng(SeedOf(m.name.c_str(), 0x4C414444u));
    const Shape shape = ShapeOf(s.code);

    const double ratedF = m.capacitance * 1e-6;
    const double cTarget = ratedF * rng.Uniform(0.95, 1.03);
    const double esrTarget = m.esrMax * 1e-3 * rng.Uniform(0.62, 0.82);
    const double fRef = EsrReferenceFrequency(s.code);

    // Terminations: the case's inductance (shorter for face-down polymer parts, longer for
    // the leaded conformal parts) with a loss resistance across it.
    double esl = cs.leslNh * rng.Uniform(0.92, 1.08);
    if (s.technology == Technology::Polymer || s.technology == Technology::NiobiumPolymer)
        esl *= 0.85;
    if (s.family == 'F')
        esl *= 1.1;
    r.lesl = std::clamp(esl, 0.32, 2.9) * 1e-9;
    r.rels = RoundSignificant(cs.relsOhm * rng.Uniform(0.9, 1.1), 2);
    // Leakage resistance from the typical leakage, a fortieth of the 0.01 CV rule.
    const double typicalLeak = 0.01 * m.capacitance * m.volts * 1e-6 / 40.0;
    r.rp = RoundSignificant(std::clamp(m.volts / typicalLeak, 1e5, 1e11), 2);

    LadderPlan plan{};
    plan.relaxCorner = rng.Uniform(25.0, 60.0);
    const double x = 120.0 / plan.relaxCorner;
    plan.relaxRatio = x / (DielectricLoss(s.technology, rng) * (1.0 + x * x));
    plan.rollOff = std::clamp(RollOffProduct(s.technology) * rng.Uniform(0.8, 1.25) /
                                  (kTwoPiExact * cTarget * esrTarget),
                              5e3, 8e6) *
                   rollOffScale;
    const double depth[5] = {0.42, 0.24, 0.15, 0.11, 0.08};
    double depthSum = 0.0;
    for (int k = 0; k < 5; ++k) {
        plan.depth[k] = depth[k] * rng.Uniform(0.9, 1.1);
        depthSum += plan.depth[k];
    }
    for (double& d : plan.depth)
        d /= depthSum;
    plan.midRatio = rng.Uniform(2.5, 4.0);
    plan.branchC = rng.Uniform(0.01, 0.02);
    plan.branchL = rng.Uniform(0.3, 0.6) * 1e-9;
    plan.branchR = rng.Uniform(0.8, 1.2);

    SetTemperatureCoefficients(r, s.technology, rng);
    // The relaxation's resistance stays put with temperature: its loss then falls as its
    // capacitance grows, as the ESR of the whole part does.
    r.ladderRTc[shape == Shape::SixStage ? 0 : 1] = {0.0, 0.0};

    // Solve the bulk capacitance for C(120 Hz) and the series resistance for the ESR at the
    // reference frequency; the ESR grows by about one ohm per ohm of series resistance.
    double cb = cTarget;
    double rs = 0.7 * esrTarget;
    bool converged = false;
    for (int iteration = 0; iteration < 80 && !converged; ++iteration) {
        FillLadder(r, shape, plan, cb, rs, esrTarget);
        FrequencyPoint low;
        FrequencyPoint ref;
        Evaluate(r, 120.0, low);
        Evaluate(r, fRef, ref);
        const double cErr = cTarget / low.seriesCapacitance;
        const double eErr = esrTarget - ref.esr;
        converged = std::fabs(cErr - 1.0) < 1e-5 && std::fabs(eErr) < 1e-5 * esrTarget;
        FillLadder(r, shape, plan, cb, rs * 1.001, esrTarget);
        FrequencyPoint probe;
        Evaluate(r, fRef, probe);
        const double slope = std::max((probe.esr - ref.esr) / (rs * 0.001), 0.05);
        cb *= cErr;
        rs += eErr / slope;
        if (rs < 0.1 * esrTarget) {
            // The anode's own loss already exceeds the target: move its roll-off up and
            // weaken the relaxation until the series resistance keeps a real share.
            rs = 0.1 * esrTarget;
            plan.rollOff *= 1.25;
            plan.relaxRatio *= 1.25;
        }
    }
    FillLadder(r, shape, plan, cb, rs, esrTarget);
    RoundAsPrinted(r);
    FrequencyPoint low;
    Evaluate(r, 120.0, low);
    m.dfAt120 = low.dissipationFactor;
    return converged;
}
