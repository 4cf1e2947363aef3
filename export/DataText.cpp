#include "DataText.h"

#include "CapacitorRecord.h"
#include "FrequencyResponse.h"
#include "ModelVector.h"
#include "NumberLocale.h"
#include "WorkingState.h"

#include <cstdarg>
#include <cstdio>

const char kDataTextNotice[] =
    "Exported data is based on environmental (Temperature) and electrical (Application "
    "voltage) conditions selected in Zelta basic window and DCL graph window.";

namespace {

void AppendFormat(std::string& text, const char* format, ...) __attribute__((format(printf, 2, 3)));

void AppendFormat(std::string& text, const char* format, ...) {
    char buffer[1024];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (n < 0)
        return;
    if (static_cast<size_t>(n) < sizeof buffer) {
        text.append(buffer, static_cast<size_t>(n));
        return;
    }
    std::string large(static_cast<size_t>(n) + 1, '\0');
    va_start(args, format);
    std::vsnprintf(&large[0], large.size(), format, args);
    va_end(args);
    text.append(large.data(), static_cast<size_t>(n));
}

} // namespace

std::string BuildDataText(const CWorkingState& state) {
    const int n = state.pointCount;
    if (n <= 0 || state.currentCapacitor == nullptr)
        return std::string();
    const CapacitorRecord& cap = *state.currentCapacitor;

    const CCNumberScope cNumbers; // the C form of numbers whatever the user's locale
    std::string text;
    text.reserve(static_cast<size_t>(n + 35) * 120);
    AppendFormat(text,
                 "%s\nFrequency response parameters: T=%g °C\nDCL parameters: Vr=%g V T=%g "
                 "°C\n\n%s\t%g uF\t%g V\tCase %c\n\n",
                 kDataTextNotice, state.selectedTemperature,
                 state.dclVoltagePercent * cap.ratedVoltage * 0.01,
                 static_cast<double>(state.dclTemperature), cap.partNumber, cap.capacitance,
                 cap.ratedVoltage, cap.caseCode);
    text += "Frequency [Hz]\tImpedance [Z]\tESR [Ohm]\tCapacitance [F]\tDF [-]\tVACrms [V]\t"
            "IACrms [A]\n";

    // The capacitance column is evaluated again without the off-scale marks, so that the
    // exported numbers are the model's own near the series resonance too.
    ModelVector vector;
    BuildModelVector(cap, vector);
    state.ScaleModelToTemperature(vector, state.selectedTemperature);
    const CurveSet& curves = state.temperatureCurves;
    for (int i = 0; i < n && i < kMaxCurvePoints; ++i) {
        FrequencyPoint p{};
        p.frequency = curves.frequency[i];
        EvaluatePoint(cap, p, vector, false);
        AppendFormat(text, "%le\t%le\t%le\t%le\t%le\t%le\t%le\n", curves.frequency[i],
                     curves.impedanceMagnitude[i], curves.esr[i], p.seriesCapacitance,
                     curves.dissipationFactor[i], state.rippleVoltageAtTemperature[i],
                     state.rippleCurrentAtTemperature[i]);
    }

    text += "\nTime [s]\tDCL [nA]\n";
    for (int i = 0; i < kDclPoints; ++i) {
        AppendFormat(text, "%i\t%le\n", static_cast<int>(state.dclTime[i] + 0.5),
                     state.dclAtConditions[i] * 1e9);
    }
    return text;
}
