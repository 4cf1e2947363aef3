// zeltacli find on the shipped catalogue against a plain evaluation: every part computed as
// the program shows it (its curves at the temperature), the band's grid points taken by their
// labels, n counted up from 1. The same parts, the same n, the same worst |Z|/n.

#include "CCapacitorStore.h"
#include "CapacitorRecord.h"
#include "EnglishStrings.h"
#include "ImpedanceSearch.h"
#include "RippleLimits.h"
#include "WorkingState.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

class DroppingSink : public IMessageSink {
public:
    void ShowMessage(int, MessageIcon, const std::string& text) override { texts.push_back(text); }
    std::vector<std::string> texts;
};

// A grid frequency as every output labels it: six significant digits (1000000.0857 Hz is
// 1 MHz).
double Label(double frequency) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", frequency);
    return std::strtod(text, nullptr);
}

struct Row {
    std::string partNumber;
    int n;
    double worst; // |Z|/n
    double at;
};

// The row of `part` for query `q` from its curves at the query's temperature; false when the
// part is left out.
bool PlainRow(const CapacitorRecord& part, const CWorkingState& s, const ImpedanceQuery& q,
              Row& row) {
    double worst = -1.0, at = 0.0, permissible = 0.0;
    for (int i = 0; i < s.pointCount; ++i) {
        const double f = s.temperatureCurves.frequency[i];
        if (Label(f) >= q.fromFrequency && Label(f) <= q.toFrequency &&
            s.temperatureCurves.impedanceMagnitude[i] > worst) {
            worst = s.temperatureCurves.impedanceMagnitude[i];
            at = f;
        }
        if (Label(f) == q.rippleFrequency)
            permissible = s.rippleCurrentAtTemperature[i];
    }
    int n = 1;
    while (n <= q.maxCount && (worst / n > q.maxImpedance || n * permissible < q.rippleCurrent))
        ++n;
    row = {part.partNumber, n, worst / n, at};
    return n <= q.maxCount;
}

// Every query answered by computing every part at every query temperature, each once.
std::vector<std::vector<Row>> BruteForce(const std::vector<const CapacitorRecord*>& parts,
                                         const std::vector<ImpedanceQuery>& queries) {
    std::vector<std::vector<Row>> answers(queries.size());
    std::set<double> temperatures;
    for (const ImpedanceQuery& q : queries)
        temperatures.insert(q.temperature);
    auto state = std::make_unique<CWorkingState>();
    for (const CapacitorRecord* part : parts) {
        for (const double t : temperatures) {
            if (MaxTemperature(part) < t)
                continue;
            if (std::strcmp(part->series, "QCN") == 0 && t != 25.0)
                continue; // shown at 25 °C only
            state->selectedTemperature = t;
            state->TakeCapacitor(part);
            state->RecomputeCurves();
            for (size_t k = 0; k < queries.size(); ++k) {
                Row row;
                if (queries[k].temperature == t && part->ratedVoltage >= queries[k].minVoltage &&
                    PlainRow(*part, *state, queries[k], row))
                    answers[k].push_back(row);
            }
        }
    }
    for (size_t k = 0; k < queries.size(); ++k) {
        std::vector<Row>& rows = answers[k];
        std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
            if (a.n != b.n)
                return a.n < b.n;
            if (a.worst != b.worst)
                return a.worst < b.worst;
            return a.partNumber < b.partNumber;
        });
        if (!queries[k].onePerModel)
            continue;
        std::set<std::string> seen;
        std::vector<Row> first;
        for (const Row& r : rows) {
            // Parts of one model differ only in the tolerance letter.
            std::string model = r.partNumber;
            const bool conformal = model.compare(0, 2, "QC") == 0 && model[2] >= 'T';
            model[conformal ? 8 : 7] = 'K';
            if (seen.insert(model).second)
                first.push_back(r);
        }
        rows.swap(first);
    }
    return answers;
}

TEST(FindOnTheShippedCatalogue, AgreesWithAPlainEvaluationOfEveryPart) {
    DroppingSink sink;
    EnglishStrings strings;
    auto store = std::make_unique<CCapacitorStore>(sink, strings);
    ASSERT_EQ(LoadStoreFromDirectory(*store, std::string(ZELTA_SOURCE_DIR) + "/product"), 0);
    std::vector<const CapacitorRecord*> parts;
    for (int i = 0; i < store->GetCount(); ++i)
        parts.push_back(store->GetAt(static_cast<unsigned>(i)));

    const auto query = [](double target, double from, double to, double temperature, int maxCount) {
        ImpedanceQuery q;
        q.maxImpedance = target;
        q.fromFrequency = from;
        q.toFrequency = to;
        q.temperature = temperature;
        q.maxCount = maxCount;
        return q;
    };
    std::vector<std::pair<const char*, ImpedanceQuery>> queries = {
        {"the 1 MHz edge of a band at 85 °C", query(11.3e-3, 1e5, 1e6, 85, 1)},
        {"the README's rail", query(20e-3, 1e4, 1e6, 85, 10)},
        {"a one-point band at 1 MHz", query(20e-3, 1e6, 1e6, 25, 4)},
        {"a one-point band at the grid's start", query(10, 100, 100, 25, 2)},
        {"at the limit of most series", query(0.5, 1e3, 1e4, 125, 3)},
        {"at the limit of QAW parts", query(0.1, 1e4, 1e6, 175, 5)},
        {"at 200 °C: the two parts rated to it", query(2, 1e3, 1e5, 200, 10)},
        {"band ends between grid points", query(25e-3, 2.1e5, 3.3e6, 25, 10)},
    };
    ImpedanceQuery ripple = query(30e-3, 1e5, 1e7, 105, 10);
    ripple.rippleCurrent = 2.0;
    ripple.rippleFrequency = 1e5;
    queries.push_back({"at the limit of QBT, QCR and QCL parts, with ripple", ripple});
    ImpedanceQuery rail = query(0.1, 1e5, 1e7, 25, 10);
    rail.rippleCurrent = 1.0;
    rail.rippleFrequency = 1e6;
    rail.minVoltage = 16;
    rail.onePerModel = true;
    queries.push_back({"a 16 V rail, one part per model", rail});

    std::vector<ImpedanceQuery> asked;
    for (const auto& named : queries)
        asked.push_back(named.second);
    const std::vector<std::vector<Row>> answers = BruteForce(parts, asked);
    for (size_t k = 0; k < queries.size(); ++k) {
        const auto& [what, q] = queries[k];
        ASSERT_EQ(CheckImpedanceQuery(q), QueryProblem::kQueryOk) << what;
        const std::vector<ImpedanceMatch> found = FindImpedanceMatches(parts, q);
        const std::vector<Row>& expected = answers[k];
        EXPECT_FALSE(expected.empty()) << what;
        ASSERT_EQ(found.size(), expected.size()) << what;
        for (size_t i = 0; i < found.size(); ++i) {
            EXPECT_EQ(found[i].record->partNumber, expected[i].partNumber) << what << " row " << i;
            EXPECT_EQ(found[i].count, expected[i].n) << what << " " << expected[i].partNumber;
            EXPECT_NEAR(found[i].worstImpedance, expected[i].worst, 1e-12 * expected[i].worst)
                << what << " " << expected[i].partNumber;
            EXPECT_EQ(found[i].worstFrequency, expected[i].at)
                << what << " " << expected[i].partNumber;
        }
    }
}

} // namespace
