#include "GraphFill.h"

#include "CapacitorRecord.h"
#include "FormatValue.h"
#include "FrequencyResponse.h"
#include "Messages.h"
#include "WorkingState.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kNoteDcl = 34050;
constexpr int kNoteLimits = 34051;
constexpr int kNoteTypical = 34052;
constexpr int kEsrReferenceText = 34054;

#define DEG "\xC2\xB0"

std::string Printf(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Printf(const char* format, ...) {
    char buffer[260];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    return buffer;
}

bool IsWet(const CapacitorRecord& record) {
    return std::strcmp(record.series, "QCN") == 0;
}

enum class Quantity { DF, Impedance, Capacitance, Esr };

const double* QuantityOf(const CurveSet& set, Quantity q) {
    switch (q) {
    case Quantity::DF:
        return set.dissipationFactor;
    case Quantity::Impedance:
        return set.impedanceMagnitude;
    case Quantity::Capacitance:
        return set.seriesCapacitance;
    case Quantity::Esr:
        return set.esr;
    }
    return nullptr;
}

void SetTexts(GraphFill& fill, const char* xCaption, const char* yCaption, bool logX, bool logY,
              const char* xUnit, const char* yUnit, const char* title) {
    fill.xCaption = xCaption;
    fill.yCaption = yCaption;
    fill.logX = logX;
    fill.logY = logY;
    fill.xUnit = xUnit;
    fill.yUnit = yUnit;
    fill.title = title;
}

// DF, impedance and capacitance: the two compared parts, or the reference curve and, away
// from 25 °C, the curve at the selected temperature.
void FillFrequencyCurves(GraphFill& fill, const GraphFillSource& s, Quantity q) {
    fill.count = s.pointCount;
    if (s.comparisonMode) {
        // The compared sets share the reference grid.
        fill.x = s.reference->frequency;
        int k = 0;
        for (int i = 0; i < 2; ++i) {
            if (s.comparison[i] == nullptr || s.compared[i] == nullptr)
                continue;
            fill.curves[k] = QuantityOf(*s.compared[i], q);
            fill.legendNames[k] = Printf("%s @25" DEG "C", s.comparison[i]->partNumber);
            ++k;
        }
        return;
    }
    const char* p = s.current->partNumber;
    fill.x = s.reference->frequency;
    fill.curves[0] = QuantityOf(*s.reference, q);
    fill.legendNames[0] = Printf("%s @25" DEG "C", p);
    if (!IsAt25(s.selectedTemperature)) {
        fill.curves[1] = QuantityOf(*s.atTemperature, q);
        fill.legendNames[1] = Printf("%s @%g" DEG "C", p, s.selectedTemperature);
    }
}

void FillEsr(GraphFill& fill, const GraphFillSource& s, const IStringTable& strings) {
    if (s.comparisonMode) {
        FillFrequencyCurves(fill, s, Quantity::Esr);
        return;
    }
    const CapacitorRecord& c = *s.current;
    const char* p = c.partNumber;
    fill.count = s.pointCount;
    fill.x = s.reference->frequency;
    fill.curves[0] = s.reference->esr;
    fill.legendNames[0] = Printf("%s @25" DEG "C", p);
    if (IsAt25(s.selectedTemperature)) {
        if (!IsWet(c) && s.esrLimitReference[0] != 0.0) {
            fill.curves[1] = s.esrLimitReference;
            fill.dotted[1] = true;
            fill.legendNames[1] = Printf("%s Max", p);
            fill.referenceText = strings.GetString(kEsrReferenceText);
            fill.referenceX = EsrReferenceFrequency(c.series);
            fill.referenceY = c.esrMax * 0.001;
        }
        return;
    }
    fill.curves[1] = s.atTemperature->esr;
    fill.legendNames[1] = Printf("%s @%g" DEG "C", p, s.selectedTemperature);
    if (!IsWet(c) && s.esrLimitAtTemperature[0] != 0.0) {
        fill.curves[2] = s.esrLimitAtTemperature;
        fill.dotted[2] = true;
        fill.legendNames[2] = Printf("%s Max @%g" DEG "C", p, s.selectedTemperature);
    }
}

void FillRipple(GraphFill& fill, const GraphFillSource& s, const double* reference,
                const double* atTemperature) {
    const char* p = s.current->partNumber;
    fill.count = s.pointCount;
    fill.x = s.reference->frequency;
    fill.curves[0] = reference;
    fill.legendNames[0] = Printf("%s @25" DEG "C", p);
    if (!IsAt25(s.selectedTemperature)) {
        fill.curves[1] = atTemperature;
        fill.legendNames[1] = Printf("%s @%g" DEG "C", p, s.selectedTemperature);
    }
}

void FillDcl(GraphFill& fill, const GraphFillSource& s) {
    const char* p = s.current->partNumber;
    fill.count = s.dclCount;
    fill.x = s.dclTime;
    fill.pickCarriesView = true;
    const std::string atConditions =
        Printf("%s @(%i%% Vr, %i" DEG "C)", p, s.dclVoltagePercent, s.dclTemperature);
    if (std::fabs(s.dclFactor - 1.0) >= 1e-8) {
        fill.curves[0] = s.dclTypical;
        fill.legendNames[0] = Printf("%s @(100%% Vr, 25" DEG "C)", p);
        fill.curves[1] = s.dclAtConditions;
        fill.legendNames[1] = atConditions;
    } else if (s.dclLimit[0] == 0.0) {
        fill.curves[0] = s.dclAtConditions;
        fill.legendNames[0] = atConditions;
    } else {
        fill.curves[0] = s.dclTypical;
        fill.legendNames[0] = Printf("%s @(100%% Vr, 25" DEG "C)", p);
        fill.curves[1] = s.dclLimit;
        fill.dotted[1] = true;
        fill.legendNames[1] = Printf("%s Max @(100%% Vr, 25" DEG "C)", p);
    }
}

} // namespace

bool IsAt25(double t) {
    return std::fabs(t - 25.0) < 1e-8;
}

GraphFill ComposeGraphFill(GraphKind kind, const GraphFillSource& s, const IStringTable& strings) {
    GraphFill fill;
    const bool at25 = IsAt25(s.selectedTemperature);
    switch (kind) {
    case KindDF:
        SetTexts(fill, "Frequency [Hz]", "DF [-]", true, true, "Hz", "", "DF");
        fill.note = strings.GetString(kNoteTypical);
        fill.legendPosition = kFillLegendTopLeft;
        break;
    case KindESR:
        SetTexts(fill, "Frequency [Hz]", "ESR [Ohm]", true, true, "Hz", "Ohm", "ESR");
        fill.note = strings.GetString(kNoteTypical);
        fill.legendPosition = kFillLegendTopRight;
        break;
    case KindImpedance:
        SetTexts(fill, "Frequency [Hz]", "Impedance [Ohm]", true, true, "Hz", "Ohm", "Impedance");
        fill.note = strings.GetString(kNoteTypical);
        fill.legendPosition = kFillLegendTopRight;
        break;
    case KindCapacitance:
        SetTexts(fill, "Frequency [Hz]", "Capacitance [F]", true, false, "Hz", "F", "Capacitance");
        fill.note = strings.GetString(kNoteTypical);
        fill.legendPosition = kFillLegendBottomLeft;
        break;
    case KindRippleVoltage:
        SetTexts(fill, "Frequency [Hz]", "V_ripple_ [V]", true, false, "Hz", "V", "Ripple voltage");
        fill.note = strings.GetString(kNoteLimits);
        fill.legendPosition = at25 ? kFillLegendBottomLeft : kFillLegendTopRight;
        break;
    case KindRippleCurrent:
        SetTexts(fill, "Frequency [Hz]", "I_ripple_ [A]", true, false, "Hz", "A", "Ripple current");
        fill.note = strings.GetString(kNoteLimits);
        fill.legendPosition = kFillLegendTopLeft;
        break;
    case KindDCL:
        SetTexts(fill, "Time [s]", "DCL [A]", false, false, "s", "A", "DCL");
        fill.legendPosition = kFillLegendTopRight;
        break;
    }

    const bool hasCurves = s.current != nullptr && s.reference != nullptr;
    if (kind == KindDCL && s.current != nullptr)
        fill.note =
            strings.GetString(kNoteDcl) + FormatEngineering(s.current->dclMax * 1e-6) + "A.";
    if (!hasCurves)
        return fill;

    switch (kind) {
    case KindDF:
        FillFrequencyCurves(fill, s, Quantity::DF);
        break;
    case KindImpedance:
        FillFrequencyCurves(fill, s, Quantity::Impedance);
        break;
    case KindCapacitance:
        FillFrequencyCurves(fill, s, Quantity::Capacitance);
        break;
    case KindESR:
        FillEsr(fill, s, strings);
        break;
    case KindRippleVoltage:
        FillRipple(fill, s, s.rippleVoltageReference, s.rippleVoltageAtTemperature);
        break;
    case KindRippleCurrent:
        FillRipple(fill, s, s.rippleCurrentReference, s.rippleCurrentAtTemperature);
        break;
    case KindDCL:
        if (s.dclTime != nullptr)
            FillDcl(fill, s);
        break;
    }
    return fill;
}

GraphFillSource MakeFillSource(const CWorkingState& s) {
    GraphFillSource source;
    source.current = s.currentCapacitor;
    source.selectedTemperature = s.selectedTemperature;
    source.comparisonMode = s.comparisonMode;
    source.comparison[0] = s.comparisonCapacitors[0];
    source.comparison[1] = s.comparisonCapacitors[1];
    source.pointCount = s.pointCount;
    source.reference = &s.referenceCurves;
    source.atTemperature = &s.temperatureCurves;
    source.compared[0] = &s.comparisonCurves[0];
    source.compared[1] = &s.comparisonCurves[1];
    source.esrLimitReference = s.esrLimitReference;
    source.esrLimitAtTemperature = s.esrLimitAtTemperature;
    source.rippleVoltageReference = s.rippleVoltageReference;
    source.rippleVoltageAtTemperature = s.rippleVoltageAtTemperature;
    source.rippleCurrentReference = s.rippleCurrentReference;
    source.rippleCurrentAtTemperature = s.rippleCurrentAtTemperature;
    source.dclCount = kDclPoints;
    source.dclTime = s.dclTime;
    source.dclTypical = s.dclTypical;
    source.dclAtConditions = s.dclAtConditions;
    source.dclLimit = s.dclLimit;
    source.dclFactor = s.dclFactor;
    source.dclVoltagePercent = s.dclVoltagePercent;
    source.dclTemperature = s.dclTemperature;
    return source;
}
