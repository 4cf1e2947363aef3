#include "CCapacitorStore.h"
#include "CapacitorRecord.h"
#include "DataTestSupport.h"
#include "EnglishStrings.h"
#include "TestEnvironment.h"
#include "ValidDataSets.h"
#include "WorkingState.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <string>

// Hundreds of valid data sets from fixed seeds: every one loads, and every part gives finite
// curves at -55 °C, at 25 °C and at its limit.

namespace {

constexpr int kDataSets = 300;

// The first array entry of `count` that is not finite, or -1.
int FirstNonFinite(const double* values, int count) {
    for (int i = 0; i < count; ++i) {
        if (!std::isfinite(values[i]))
            return i;
    }
    return -1;
}

// What is wrong with the curves of `state`, or an empty text.
std::string CurveFault(const CWorkingState& s) {
    const int n = s.pointCount;
    if (n != 600)
        return "point count " + std::to_string(n);
    const struct {
        const char* name;
        const double* values;
        int count;
    } arrays[] = {
        {"|Z| at 25", s.referenceCurves.impedanceMagnitude, n},
        {"ESR at 25", s.referenceCurves.esr, n},
        {"C at 25", s.referenceCurves.seriesCapacitance, n},
        {"DF at 25", s.referenceCurves.dissipationFactor, n},
        {"|Z|", s.temperatureCurves.impedanceMagnitude, n},
        {"ESR", s.temperatureCurves.esr, n},
        {"C", s.temperatureCurves.seriesCapacitance, n},
        {"DF", s.temperatureCurves.dissipationFactor, n},
        {"ESR limit at 25", s.esrLimitReference, n},
        {"ESR limit", s.esrLimitAtTemperature, n},
        {"ripple current at 25", s.rippleCurrentReference, n},
        {"ripple voltage at 25", s.rippleVoltageReference, n},
        {"ripple current", s.rippleCurrentAtTemperature, n},
        {"ripple voltage", s.rippleVoltageAtTemperature, n},
        {"DCL", s.dclTypical, kDclPoints},
        {"DCL at conditions", s.dclAtConditions, kDclPoints},
        {"DCL limit", s.dclLimit, kDclPoints},
    };
    for (const auto& a : arrays) {
        const int at = FirstNonFinite(a.values, a.count);
        if (at >= 0)
            return std::string(a.name) + " at point " + std::to_string(at) + ": " +
                   std::to_string(a.values[at]);
    }
    for (int i = 0; i < n; ++i) {
        const double z = s.temperatureCurves.impedanceMagnitude[i];
        if (!(z > 0.0 && z < kOffScale))
            return "|Z| at point " + std::to_string(i) + ": " + std::to_string(z);
    }
    return std::string();
}

TEST(GeneratedDataSets, EveryOneLoadsAndGivesFiniteCurvesAtEveryShownTemperature) {
    const std::string dir = MakeTempDir("valid-data");
    auto state = std::make_unique<CWorkingState>();
    int partsChecked = 0;
    for (int seed = 1; seed <= kDataSets; ++seed) {
        const valid::DataSet set = valid::GenerateDataSet(static_cast<std::uint64_t>(seed));
        ASSERT_TRUE(generated::WriteFile(dir + "/cap.vorn", set.catalogue));
        ASSERT_TRUE(generated::WriteFile(dir + "/vorncap.lib", set.library));
        RecordingSink sink;
        EnglishStrings strings;
        auto store = std::make_unique<CCapacitorStore>(sink, strings);
        ASSERT_EQ(LoadStoreFromDirectory(*store, dir), 0)
            << "seed " << seed << ": " << (sink.messages.empty() ? "" : sink.messages[0].text);
        ASSERT_EQ(store->GetCount(), static_cast<int>(set.parts.size())) << "seed " << seed;
        ASSERT_EQ(store->GetModelCount(), static_cast<std::uint32_t>(set.models))
            << "seed " << seed;

        std::map<std::string, const CapacitorRecord*> byPartNumber;
        for (int i = 0; i < store->GetCount(); ++i)
            byPartNumber[store->GetAt(static_cast<unsigned>(i))->partNumber] =
                store->GetAt(static_cast<unsigned>(i));
        for (const valid::GeneratedPart& part : set.parts) {
            const auto found = byPartNumber.find(part.shown);
            ASSERT_NE(found, byPartNumber.end()) << "seed " << seed << ": " << part.shown;
            for (const double t : {-55.0, 25.0, part.highest}) {
                state->selectedTemperature = t;
                state->TakeCapacitor(found->second);
                state->RecomputeCurves();
                const std::string fault = CurveFault(*state);
                ASSERT_EQ(fault, "") << "seed " << seed << ", " << part.shown << " at " << t;
            }
            ++partsChecked;
        }
    }
    EXPECT_GT(partsChecked, kDataSets * 5);
}

// Data sets of seeds that once failed, kept as they were generated.
TEST(GeneratedDataSets, KeptFailingSeedsLoadAndGiveFiniteCurves) {
    // Seed 1: a leakage resistance of 1.4e-29 Ohm cancels Im Z to zero at some points; C and
    // DF there are off the scale instead of infinite.
    RecordingSink sink;
    EnglishStrings strings;
    auto store = std::make_unique<CCapacitorStore>(sink, strings);
    ASSERT_EQ(LoadStoreFromDirectory(*store, FixturePath("store/cancelled-reactance")), 0);
    ASSERT_EQ(store->GetCount(), 1);
    auto state = std::make_unique<CWorkingState>();
    int offScale = 0;
    for (const double t : {-55.0, 25.0, 125.0}) {
        state->selectedTemperature = t;
        state->TakeCapacitor(store->GetAt(0));
        state->RecomputeCurves();
        EXPECT_EQ(CurveFault(*state), "") << t;
        for (int i = 0; i < state->pointCount; ++i)
            offScale += std::fabs(state->temperatureCurves.dissipationFactor[i]) >= kOffScale;
    }
    EXPECT_GT(offScale, 0);
}

} // namespace
