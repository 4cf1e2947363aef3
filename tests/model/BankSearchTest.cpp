#include "BankSearch.h"
#include "CCapacitorStore.h"
#include "CaseFootprint.h"
#include "EnglishStrings.h"
#include "FrequencyResponse.h"
#include "ModelVector.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <tuple>
#include <vector>

// The bank search against plain enumeration of every bank on subsets of the shipped
// catalogue, and its mask, ranking and query rules.

namespace {

using Cx = std::complex<double>;

class CSilentSink : public IMessageSink {
    void ShowMessage(int, MessageIcon, const std::string&) override {}
};

// The shipped catalogue, loaded once for the whole binary.
const CCapacitorStore& Shipped() {
    static CSilentSink sink;
    static EnglishStrings strings;
    static const std::unique_ptr<CCapacitorStore> store = [] {
        auto s = std::make_unique<CCapacitorStore>(sink, strings);
        EXPECT_EQ(LoadStoreFromDirectory(*s, std::string(ZELTA_SOURCE_DIR) + "/product"), 0);
        return s;
    }();
    return *store;
}

// Every `step`-th part from `offset` of those whose series `keep` takes (null: every series).
std::vector<const CapacitorRecord*> Subset(int step, int offset,
                                           bool (*keep)(const char* series) = nullptr) {
    std::vector<const CapacitorRecord*> parts;
    const CCapacitorStore& store = Shipped();
    int seen = 0;
    for (int i = 0; i < store.GetCount(); ++i) {
        const CapacitorRecord* r = store.GetAt(static_cast<unsigned>(i));
        if (keep != nullptr && !keep(r->series))
            continue;
        if (seen++ % step == offset)
            parts.push_back(r);
    }
    return parts;
}

// The polymer and the QCR parts: the low-ESR bulk and mid-frequency parts of a rail.
bool PolymerOrQcr(const char* series) {
    return std::strcmp(series, "QCL") == 0 || std::strcmp(series, "QCM") == 0 ||
           std::strcmp(series, "QCR") == 0;
}

// One row of plain enumeration: the parts with their counts in part-number order.
struct PlainBank {
    std::vector<std::pair<const CapacitorRecord*, int>> parts;
    int partCount = 0;
    double area = 0.0; // mm^2
    double margin = 0.0;
};

bool PlainBefore(const PlainBank& a, const PlainBank& b) {
    if (a.partCount != b.partCount)
        return a.partCount < b.partCount;
    if (a.parts.size() != b.parts.size())
        return a.parts.size() < b.parts.size();
    if (std::fabs(a.area - b.area) > 1e-9)
        return a.area < b.area;
    if (a.margin != b.margin)
        return a.margin > b.margin;
    for (size_t i = 0; i < a.parts.size(); ++i) {
        const int order = std::strcmp(a.parts[i].first->partNumber, b.parts[i].first->partNumber);
        if (order != 0)
            return order < 0;
        if (a.parts[i].second != b.parts[i].second)
            return a.parts[i].second < b.parts[i].second;
    }
    return false;
}

// The parts that can be in a bank, in part-number order, with each mounted part's admittance
// and the converter's at every band point, by the textbook formula.
struct PlainTable {
    std::vector<const CapacitorRecord*> parts;
    std::vector<std::vector<Cx>> y; // per part, per band point: 1 / (Z_i + R_m + jwL_m)
    std::vector<Cx> converter;      // 1 / Z_vrm, or 0
    std::vector<double> limit;      // the mask

    PlainTable(const std::vector<const CapacitorRecord*>& records, const BankQuery& q) {
        for (const CapacitorRecord* r : records) {
            if (PartUsableInBank(*r, q.temperature))
                parts.push_back(r);
        }
        std::sort(parts.begin(), parts.end(),
                  [](const CapacitorRecord* a, const CapacitorRecord* b) {
                      return std::strcmp(a->partNumber, b->partNumber) < 0;
                  });
        const std::vector<double> f = BankBandFrequencies(q);
        for (const CapacitorRecord* r : parts) {
            ModelVector v;
            BuildModelVector(*r, v);
            ScaleModelToTemperature(*r, v, q.temperature);
            y.emplace_back();
            for (double fk : f) {
                FrequencyPoint p{};
                p.frequency = fk;
                EvaluatePoint(*r, p, v, false);
                y.back().push_back(
                    1.0 / Cx(p.esr + q.mountResistance,
                             p.reactance + fk * kTwoPi * MountInductanceOf(q, r->caseCode)));
            }
        }
        for (double fk : f) {
            converter.push_back(
                q.converter ? 1.0 / Cx(q.converterResistance, fk * kTwoPi * q.converterInductance)
                            : Cx(0.0));
            limit.push_back(MaskLimitAt(q.mask, fk));
        }
    }

    // The smallest (mask - |Z|) / mask of the bank, |Z| = |1 / (sum n_i Y_i + 1 / Z_vrm)|; -1
    // when it does not meet the mask.
    double Margin(const size_t* c, const int* n, int types) const {
        double worst = 2.0;
        for (size_t k = 0; k < limit.size(); ++k) {
            // Parts with the same admittance (tolerance twins of one model) as one term, so
            // that banks that are the same circuit tie exactly.
            Cx sum = converter[k];
            for (int i = 0; i < types; ++i) {
                int count = n[i];
                bool seen = false;
                for (int j = 0; j < types; ++j) {
                    if (j != i && y[c[j]][k] == y[c[i]][k]) {
                        seen = seen || j < i;
                        count += n[j];
                    }
                }
                if (!seen)
                    sum += static_cast<double>(count) * y[c[i]][k];
            }
            const double z = std::abs(1.0 / sum);
            if (z > limit[k])
                return -1.0;
            worst = std::min(worst, (limit[k] - z) / limit[k]);
        }
        return worst;
    }
};

// Every bank of up to `maxTypes` (1 to 3) types and `maxParts` parts, ranked.
std::vector<PlainBank> Enumerate(const std::vector<const CapacitorRecord*>& records,
                                 const BankQuery& q) {
    const PlainTable table(records, q);
    std::vector<PlainBank> banks;
    size_t c[3] = {};
    int n[3] = {};
    auto consider = [&](int types) {
        const double margin = table.Margin(c, n, types);
        if (margin < 0.0)
            return;
        PlainBank bank;
        for (int i = 0; i < types; ++i) {
            bank.parts.emplace_back(table.parts[c[i]], n[i]);
            bank.partCount += n[i];
            bank.area += n[i] * CaseFootprintArea(table.parts[c[i]]->caseCode);
        }
        bank.margin = margin;
        banks.push_back(bank);
    };
    const size_t count = table.parts.size();
    const int most = q.maxParts;
    for (c[0] = 0; c[0] < count; ++c[0]) {
        for (n[0] = 1; n[0] <= most; ++n[0]) {
            consider(1);
            for (c[1] = c[0] + 1; q.maxTypes >= 2 && c[1] < count; ++c[1]) {
                for (n[1] = 1; n[0] + n[1] <= most; ++n[1]) {
                    consider(2);
                    for (c[2] = c[1] + 1; q.maxTypes >= 3 && c[2] < count; ++c[2]) {
                        for (n[2] = 1; n[0] + n[1] + n[2] <= most; ++n[2])
                            consider(3);
                    }
                }
            }
        }
    }
    std::sort(banks.begin(), banks.end(), PlainBefore);
    return banks;
}

std::string Describe(const Bank& b) {
    std::string text;
    for (int i = 0; i < b.typeCount; ++i)
        text += std::to_string(b.parts[i].count) + "x" + b.parts[i].record->partNumber + " ";
    return text + "margin " + std::to_string(b.worstMargin);
}

std::string Describe(const PlainBank& b) {
    std::string text;
    for (const auto& [r, n] : b.parts)
        text += std::to_string(n) + "x" + r->partNumber + " ";
    return text + "margin " + std::to_string(b.margin);
}

void ExpectSameBanks(const std::vector<Bank>& found, const std::vector<PlainBank>& plain,
                     size_t limit, const std::string& what) {
    const size_t expected = limit == 0 ? plain.size() : std::min(limit, plain.size());
    ASSERT_EQ(found.size(), expected) << what;
    for (size_t i = 0; i < expected; ++i) {
        const Bank& b = found[i];
        const PlainBank& p = plain[i];
        bool same = static_cast<size_t>(b.typeCount) == p.parts.size();
        for (int t = 0; same && t < b.typeCount; ++t)
            same = b.parts[t].record == p.parts[t].first && b.parts[t].count == p.parts[t].second;
        ASSERT_TRUE(same) << what << ", rank " << i + 1 << ": " << Describe(b) << " against "
                          << Describe(p);
        EXPECT_NEAR(b.area / 100.0, p.area, 1e-9) << what;
        EXPECT_NEAR(b.worstMargin, p.margin, 1e-12) << what;
    }
}

BankQuery MaskQuery(std::vector<MaskPoint> mask, double from, double to) {
    BankQuery q;
    q.mask = std::move(mask);
    q.fromFrequency = from;
    q.toFrequency = to;
    q.maxTypes = 2;
    q.maxParts = 6;
    return q;
}

TEST(BankSearch, SameBanksInTheSameOrderAsPlainEnumeration) {
    // Three masks: flat, one that rises above the converter's bandwidth, one that falls.
    const BankQuery masks[] = {
        MaskQuery({{1e4, 0.03}}, 1e4, 1e6),
        MaskQuery({{1e3, 0.02}, {1e5, 0.02}, {2e6, 0.06}, {1e8, 1.5}}, 1e4, 1e7),
        MaskQuery({{1e4, 0.2}, {1e6, 0.03}}, 5e3, 2e6),
    };
    struct Setting {
        const char* what;
        bool mounted;
        bool converter;
    };
    const Setting settings[] = {
        {"bare", false, false}, {"mounted", true, false}, {"mounted, converter", true, true}};
    const std::vector<const CapacitorRecord*> subsets[] = {Subset(31, 0),
                                                           Subset(4, 1, PolymerOrQcr)};
    size_t nonEmpty = 0, cut = 0;
    for (size_t m = 0; m < std::size(masks); ++m) {
        for (const Setting& s : settings) {
            {
                // The subsets take turns.
                const size_t u = (m + static_cast<size_t>(&s - settings)) % std::size(subsets);
                BankQuery q = masks[m];
                if (s.mounted) {
                    q.mountInductance = 0.4e-9;
                    q.caseMountInductance = {{'a', 0.3e-9}, {'E', 0.6e-9}};
                    q.mountResistance = 0.5e-3;
                }
                if (s.converter) {
                    q.converter = true;
                    q.converterResistance = 0.01;
                    q.converterInductance = 30e-9;
                }
                ASSERT_EQ(CheckBankQuery(q), BankProblem::kBankOk);
                const std::string what = "mask " + std::to_string(m + 1) + ", " + s.what +
                                         ", subset " + std::to_string(u + 1);
                const std::vector<PlainBank> plain = Enumerate(subsets[u], q);
                nonEmpty += plain.empty() ? 0 : 1;
                for (size_t limit : {size_t{0}, size_t{7}}) {
                    q.limit = limit;
                    const BankSearchResult result = FindBanks(subsets[u], q);
                    EXPECT_TRUE(result.complete);
                    ExpectSameBanks(result.banks, plain, limit,
                                    what + ", limit " + std::to_string(limit));
                    if (limit != 0 && plain.size() > limit &&
                        plain[limit - 1].partCount < q.maxParts)
                        ++cut; // the search stopped before the last level
                }
            }
        }
    }
    // The cases are not trivial: most have answers, and some end early.
    EXPECT_GE(nonEmpty, 8u);
    EXPECT_GE(cut, 3u);
}

TEST(BankSearch, ThreeTypesMatchPlainEnumerationOnASmallSubset) {
    const std::vector<const CapacitorRecord*> parts = Subset(97, 3);
    BankQuery q = MaskQuery({{1e4, 0.05}, {1e6, 0.02}, {1e7, 0.1}}, 1e4, 1e7);
    q.maxTypes = 3;
    q.maxParts = 5;
    q.mountInductance = 0.2e-9;
    const std::vector<PlainBank> plain = Enumerate(parts, q);
    const size_t triples = static_cast<size_t>(std::count_if(
        plain.begin(), plain.end(), [](const PlainBank& b) { return b.parts.size() == 3; }));
    EXPECT_GT(triples, 10u);
    for (size_t limit : {size_t{0}, size_t{5}}) {
        q.limit = limit;
        ExpectSameBanks(FindBanks(parts, q).banks, plain, limit,
                        "three types, limit " + std::to_string(limit));
    }
}

TEST(BankSearch, MaskIsStraightOnLogLogAxesAndFlatOutside) {
    const std::vector<MaskPoint> mask = {{1e3, 0.01}, {1e5, 0.01}, {2e6, 0.03}, {1e8, 1.5}};
    const struct {
        double f, limit;
    } cases[] = {
        {100, 0.01},
        {1e3, 0.01},
        {1e4, 0.01},
        {2e6, 0.03},
        {std::sqrt(1e5 * 2e6), std::sqrt(0.01 * 0.03)}, // the middle on log axes
        {std::sqrt(2e6 * 1e8), std::sqrt(0.03 * 1.5)},
        {1e8, 1.5},
        {1e9, 1.5},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(MaskLimitAt(mask, c.f), c.limit, 1e-12 * c.limit) << c.f;

    // Any mask with increasing frequencies and positive values is accepted and passes
    // through its own corners.
    std::mt19937 random(22);
    std::uniform_real_distribution<double> decade(2.0, 8.0), value(-4.0, 1.0);
    for (int i = 0; i < 300; ++i) {
        BankQuery q;
        const int corners = 1 + static_cast<int>(random() % 6);
        std::vector<double> fs;
        for (int k = 0; k < corners; ++k)
            fs.push_back(std::pow(10.0, decade(random)));
        std::sort(fs.begin(), fs.end());
        fs.erase(std::unique(fs.begin(), fs.end()), fs.end());
        for (double fk : fs)
            q.mask.push_back({fk, std::pow(10.0, value(random))});
        q.fromFrequency = 100;
        q.toFrequency = 1e8;
        ASSERT_EQ(CheckBankQuery(q), BankProblem::kBankOk) << i;
        for (const MaskPoint& p : q.mask)
            EXPECT_NEAR(MaskLimitAt(q.mask, p.frequency), p.impedance, 1e-12 * p.impedance);
    }
}

TEST(BankSearch, QueriesThatCannotBeAnswered) {
    const BankQuery good = MaskQuery({{1e4, 0.01}, {1e6, 0.02}}, 1e4, 1e6);
    ASSERT_EQ(CheckBankQuery(good), BankProblem::kBankOk);
    auto with = [&](auto change) {
        BankQuery q = good;
        change(q);
        return CheckBankQuery(q);
    };
    using P = BankProblem;
    EXPECT_EQ(with([](BankQuery& q) { q.mask.clear(); }), P::kMaskEmpty);
    EXPECT_EQ(with([](BankQuery& q) { q.mask[1].frequency = 1e4; }), P::kMaskNotIncreasing);
    EXPECT_EQ(with([](BankQuery& q) { q.mask[1].frequency = 1e3; }), P::kMaskNotIncreasing);
    EXPECT_EQ(with([](BankQuery& q) { q.mask[0].impedance = 0; }), P::kMaskValueNotPositive);
    EXPECT_EQ(with([](BankQuery& q) { q.mask[0].frequency = -1; }), P::kMaskValueNotPositive);
    EXPECT_EQ(with([](BankQuery& q) { q.mask[1].impedance = NAN; }), P::kMaskValueNotPositive);
    EXPECT_EQ(with([](BankQuery& q) { std::swap(q.fromFrequency, q.toFrequency); }),
              P::kBandReversed);
    EXPECT_EQ(with([](BankQuery& q) { q.fromFrequency = q.toFrequency = 2e8; }), P::kBandEmpty);
    EXPECT_EQ(with([](BankQuery& q) { q.maxTypes = 0; }), P::kTypesOutOfRange);
    EXPECT_EQ(with([](BankQuery& q) { q.maxTypes = 4; }), P::kTypesOutOfRange);
    EXPECT_EQ(with([](BankQuery& q) { q.maxParts = 0; }), P::kPartsOutOfRange);
    EXPECT_EQ(with([](BankQuery& q) { q.maxParts = kMaxBankParts + 1; }), P::kPartsOutOfRange);
    EXPECT_EQ(with([](BankQuery& q) { q.mountInductance = -1e-9; }), P::kMountingNotValid);
    EXPECT_EQ(with([](BankQuery& q) {
                  q.caseMountInductance = {{'A', INFINITY}};
              }),
              P::kMountingNotValid);
    EXPECT_EQ(with([](BankQuery& q) { q.converter = true; }), P::kConverterNotValid);
    EXPECT_EQ(with([](BankQuery& q) {
                  q.converter = true;
                  q.converterInductance = 1e-8;
              }),
              P::kBankOk); // an ideal resistance-free converter output
}

TEST(BankSearch, TimeBudgetSaysHowFarTheSearchGot) {
    // A mask no bank of up to 30 parts meets, over the whole catalogue, with no time at all.
    std::vector<const CapacitorRecord*> all = Subset(1, 0);
    BankQuery q = MaskQuery({{1e4, 1e-4}}, 1e4, 1e7);
    q.maxParts = 30;
    q.timeBudget = 1e-9;
    const BankSearchResult result = FindBanks(all, q);
    EXPECT_FALSE(result.complete);
    EXPECT_GE(result.reachedParts, 1);
    EXPECT_LT(result.reachedParts, 30);
    EXPECT_TRUE(result.banks.empty());
    EXPECT_GT(result.candidateCount, 1000u);
}

TEST(BankSearch, CaseFootprints) {
    EXPECT_DOUBLE_EQ(CaseFootprintArea('A'), 3.2 * 1.6);
    EXPECT_DOUBLE_EQ(CaseFootprintArea('d'), 7.3 * 4.3);
    EXPECT_DOUBLE_EQ(CaseFootprintArea('6'), 7.3 * 6.0);
    EXPECT_EQ(CaseFootprintArea('Q'), 0.0);
    // Every case of the shipped catalogue has a footprint.
    const CCapacitorStore& store = Shipped();
    for (int i = 0; i < store.GetCount(); ++i) {
        const CapacitorRecord* r = store.GetAt(static_cast<unsigned>(i));
        EXPECT_NE(FindCaseFootprint(r->caseCode), nullptr) << r->partNumber;
    }
}

} // namespace
