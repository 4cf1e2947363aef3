#include "ModelChecks.h"

#include "FrequencyResponse.h"
#include "ModelVector.h"
#include "ProductRange.h"
#include "RippleLimits.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <vector>

namespace {

FrequencyPoint At(const CapacitorRecord& r, double frequency, double temperature = 25.0) {
    ModelVector v{};
    BuildModelVector(r, v);
    if (temperature != r.tMeasured)
        ScaleModelToTemperature(r, v, temperature);
    FrequencyPoint p{};
    p.frequency = frequency;
    EvaluatePoint(r, p, v, false);
    return p;
}

void Fail(std::string& out, const char* format, ...) {
    char buf[160];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buf, sizeof buf, format, args);
    va_end(args);
    if (!out.empty())
        out += "; ";
    out += buf;
}

} // namespace

ModelCheck CheckModel(const ProductModel& m) {
    const CapacitorRecord& r = m.record;
    std::string out;
    const double rated = r.capacitance * 1e-6;

    if (r.lesl < 0.3e-9 || r.lesl > 3e-9)
        Fail(out, "ESL %g nH outside 0.3..3 nH", r.lesl * 1e9);

    const FrequencyPoint low = At(r, 120.0);
    if (std::fabs(low.seriesCapacitance / rated - 1.0) > 0.10)
        Fail(out, "C(120 Hz) %g of rated %g", low.seriesCapacitance, rated);
    if (m.dfMax > 0.0 && !(low.dissipationFactor * 100.0 < m.dfMax))
        Fail(out, "DF(120 Hz) %g %% not below %g %%", low.dissipationFactor * 100.0, m.dfMax);

    const double fRef = EsrReferenceFrequency(r.series);
    const double esrRatio = At(r, fRef).esr / (m.esrMax * 1e-3);
    if (!(esrRatio >= 0.5 && esrRatio <= 0.95))
        Fail(out, "ESR at %g Hz is %g of the limit", fRef, esrRatio);

    // |Z| over the program's grid: down to one minimum between 100 kHz and 50 MHz, then up.
    CurveSet curves;
    const int n = BuildFrequencyGrid(curves.frequency, kMaxCurvePoints);
    ModelVector v{};
    BuildModelVector(r, v);
    EvaluateCurveSet(r, v, false, curves, n);
    int minimum = 0;
    for (int i = 1; i < n; ++i) {
        if (curves.impedanceMagnitude[i] < curves.impedanceMagnitude[minimum])
            minimum = i;
    }
    for (int i = 1; i < n; ++i) {
        const double prev = curves.impedanceMagnitude[i - 1];
        const double cur = curves.impedanceMagnitude[i];
        const bool rising = cur > prev * (1.0 + 1e-12);
        const bool falling = cur < prev * (1.0 - 1e-12);
        if ((i <= minimum && rising) || (i > minimum && falling)) {
            Fail(out, "|Z| not single-dipped at %g Hz (minimum at %g Hz)", curves.frequency[i],
                 curves.frequency[minimum]);
            break;
        }
    }
    const double fMin = curves.frequency[minimum];
    if (fMin < 1e5 || fMin > 5e7)
        Fail(out, "|Z| minimum at %g Hz", fMin);

    // The ladder alone (inductances made negligible) loses capacitance steadily with
    // frequency, as the anode's inner surface drops out.
    CapacitorRecord bare = r;
    bare.lesl = 1e-24;
    if (bare.lP != 0.0)
        bare.lP = 1e-24;
    CurveSet bareCurves;
    BuildFrequencyGrid(bareCurves.frequency, kMaxCurvePoints);
    ModelVector bv{};
    BuildModelVector(bare, bv);
    EvaluateCurveSet(bare, bv, false, bareCurves, n);
    for (int i = 1; i < n; ++i) {
        if (bareCurves.seriesCapacitance[i] > bareCurves.seriesCapacitance[i - 1] * (1.0 + 1e-9)) {
            Fail(out, "ladder capacitance rises at %g Hz", bareCurves.frequency[i]);
            break;
        }
    }
    const FrequencyPoint bareHigh = At(bare, 1e7);
    if (!(bareHigh.seriesCapacitance < 0.8 * low.seriesCapacitance))
        Fail(out, "ladder keeps %g of C at 10 MHz",
             bareHigh.seriesCapacitance / low.seriesCapacitance);

    // Temperature: capacitance up and ESR down from -55 °C to the part's limit.
    const int maxT = MaxTemperature(&r);
    std::vector<double> temps = {-55.0, 0.0, 25.0, 85.0, 105.0};
    if (maxT >= 125)
        temps.push_back(125.0);
    if (maxT >= 175)
        temps.push_back(175.0);
    if (maxT >= 200)
        temps.push_back(200.0);
    double prevC = 0.0;
    double prevEsr = 1e300;
    for (double t : temps) {
        const double c = At(r, 120.0, t).seriesCapacitance;
        const double e = At(r, fRef, t).esr;
        if (!(c > prevC) || !(e < prevEsr)) {
            Fail(out, "C or ESR not monotonic with temperature at %g degC", t);
            break;
        }
        prevC = c;
        prevEsr = e;
    }
    const double c25 = low.seriesCapacitance;
    const double e25 = At(r, fRef).esr;
    const double cCold = At(r, 120.0, -55.0).seriesCapacitance / c25;
    const double cHot = At(r, 120.0, 125.0).seriesCapacitance / c25;
    const double eCold = At(r, fRef, -55.0).esr / e25;
    const double eHot = At(r, fRef, 125.0).esr / e25;
    if (cCold < 0.75 || cHot > 1.25)
        Fail(out, "C changes %g .. %g over temperature", cCold, cHot);
    if (eCold > 3.0 || eHot < 0.3)
        Fail(out, "ESR changes %g .. %g over temperature", eCold, eHot);
    return {out, fMin};
}

std::string CurveSummary(const ProductModel& m) {
    std::string out;
    char buf[200];
    std::snprintf(buf, sizeof buf,
                  "%-17s %7g uF %5g V ESRmax %6g mOhm DFmax %3g %%:", m.name.c_str(),
                  m.record.capacitance, m.record.ratedVoltage, m.esrMax, m.dfMax);
    out += buf;
    for (double f : {120.0, 1e5, 1e6, 1e7}) {
        const FrequencyPoint p = At(m.record, f);
        std::snprintf(buf, sizeof buf, " | %g Hz C=%.4g uF ESR=%.4g |Z|=%.4g DF=%.3g", f,
                      p.seriesCapacitance * 1e6, p.esr, p.impedanceMagnitude, p.dissipationFactor);
        out += buf;
    }
    return out;
}
