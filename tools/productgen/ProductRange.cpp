#include "ProductRange.h"

#include "Series.h"
#include "SplitMix.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kMantissas[] = {10, 15, 22, 33, 47, 68}; // E6
constexpr double kLargestCapacitance = 1500.0;         // µF
constexpr double kSmallestCapacitance = 0.1;           // µF
constexpr double kCvBand = 7.0; // a case offers CV from its maximum down to a seventh of it

// The catalogue holds exactly this many lines and the library this many sub-circuits.
constexpr int kCatalogueParts = 4084;
constexpr int kLibraryModels = 2027;

double PowerOfTen(int exponent) {
    double v = 1.0;
    for (int i = 0; i < exponent; ++i)
        v *= 10.0;
    return v;
}

// Capacitance as the part number's code gives it: m × 10^e pF in µF.
double CodeCapacitance(int mantissa, int exponent) {
    return static_cast<double>(mantissa) * PowerOfTen(exponent) * 1e-6;
}

// Rounds a catalogue ESR to the maker's steps, mΩ.
double EsrStep(double milliohm) {
    static const double kSteps[] = {
        6,    7,    8,    9,     10,    12,    15,    18,    20,    25,   30,   35,   40,
        45,   50,   55,   60,    70,    80,    90,    100,   120,   150,  175,  200,  250,
        300,  350,  400,  450,   500,   600,   700,   800,   900,   1000, 1100, 1200, 1300,
        1500, 1700, 1800, 2000,  2200,  2500,  2800,  3000,  3500,  4000, 4500, 5000, 6000,
        7000, 8000, 9000, 10000, 12000, 15000, 18000, 20000, 25000, 30000};
    double best = kSteps[0];
    for (double s : kSteps) {
        if (std::fabs(std::log(s / milliohm)) < std::fabs(std::log(best / milliohm)))
            best = s;
    }
    return best;
}

// Catalogue ESR limit of a rating, mΩ: standard MnO2 parts follow 1/sqrt(C) within a case;
// polymer parts depend on the case and a little on the voltage; the wet series gives its
// limit at 120 Hz.
double CatalogueEsr(const ProductSeries& s, const CaseSize& c, double capacitance, double volts,
                    bool lowGrade, CSplitMix& rng) {
    double esr = 0.0;
    switch (s.technology) {
    case Technology::Manganese:
    case Technology::NiobiumOxide:
        esr = c.esrK / std::sqrt(capacitance) * s.esrFactor;
        break;
    case Technology::Polymer:
    case Technology::NiobiumPolymer:
        esr = c.polymerEsr * s.esrFactor * (1.0 + volts / 40.0);
        break;
    case Technology::WetTantalum:
        esr = 15000.0 / std::sqrt(capacitance) * std::sqrt(volts / 50.0);
        break;
    }
    esr *= rng.Uniform(0.9, 1.1);
    if (lowGrade)
        esr *= 0.6;
    return EsrStep(esr);
}

// Largest CV of a case for a series at a rating: higher voltages need thicker oxide.
double CvCapacity(const ProductSeries& s, const CaseSize& c, double volts) {
    double cv = c.cvMax * s.cvFactor;
    if (volts > 10.0)
        cv *= std::pow(10.0 / volts, 0.35);
    return cv;
}

// The face-down niobium polymer parts resonate below 100 kHz above 680 µF.
double LargestCapacitance(const ProductSeries& s) {
    return s.technology == Technology::NiobiumPolymer ? 680.0 : kLargestCapacitance;
}

// Below 0.68 µF a 0402 anode is all surface: its ESR stays high and flat to beyond 50 MHz.
double SmallestCapacitance(char caseCode) {
    return caseCode == 'K' ? 0.68 : kSmallestCapacitance;
}

bool HasLowEsrGrade(const ProductSeries& s, char caseCode) {
    if (s.layout != CodeLayout::EsrCoded)
        return false;
    if (std::strcmp(s.code, "QCR") == 0)
        return caseCode == 'D' || caseCode == 'E' || caseCode == 'V';
    return std::strchr("CDEVWY", caseCode) != nullptr;
}

struct Candidate {
    char caseCode;
    double volts;
    int mantissa;
    int exponent;
    bool lowGrade;
};

std::vector<Candidate> Candidates(const ProductSeries& s) {
    std::vector<Candidate> out;
    for (const char* cc = s.cases; *cc != '\0'; ++cc) {
        const CaseSize& c = CaseOf(*cc);
        for (double v : s.volts) {
            const double cap = CvCapacity(s, c, v);
            for (int e = 4; e <= 8; ++e) {
                for (int m : kMantissas) {
                    const double uf = CodeCapacitance(m, e);
                    const double cv = uf * v;
                    if (uf < SmallestCapacitance(*cc) - 1e-12 || uf > LargestCapacitance(s) + 1e-9)
                        continue;
                    if (cv > cap * 1.0001 || cv < cap / kCvBand)
                        continue;
                    out.push_back({*cc, v, m, e, false});
                    if (HasLowEsrGrade(s, *cc))
                        out.push_back({*cc, v, m, e, true});
                }
            }
        }
    }
    return out;
}

double Cv(const Candidate& c) {
    return CodeCapacitance(c.mantissa, c.exponent) * c.volts;
}

std::string CapacitanceDigits(int mantissa, int exponent) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d%d", mantissa, exponent);
    return buf;
}

// Ordering code of a rating, tolerance and packaging. Families T and N: series, case,
// capacitance, tolerance, voltage, packaging (and the ESR digits of ESR-coded series);
// family F: series, voltage code, capacitance, tolerance, case, ordering letters.
std::string OrderingCode(const ProductModel& m, char tolerance, char packaging) {
    const ProductSeries& s = *m.series;
    std::string code = s.code;
    if (s.layout == CodeLayout::Conformal) {
        code += ConformalVoltageCode(m.volts);
        code += CapacitanceDigits(m.mantissa, m.exponent);
        code += tolerance;
        code += m.caseCode;
        code += s.ordering;
        return code;
    }
    code += m.caseCode;
    code += CapacitanceDigits(m.mantissa, m.exponent);
    code += tolerance;
    code += VoltageDigits(m.volts);
    code += packaging;
    if (s.layout == CodeLayout::EsrCoded) {
        char esr[8];
        std::snprintf(esr, sizeof esr, "%04d", static_cast<int>(m.esrMax));
        code += esr;
    }
    return code;
}

ProductModel MakeModel(const ProductSeries& s, const Candidate& c) {
    ProductModel m;
    m.series = &s;
    m.caseCode = c.caseCode;
    m.mantissa = c.mantissa;
    m.exponent = c.exponent;
    m.volts = c.volts;
    m.capacitance = CodeCapacitance(c.mantissa, c.exponent);
    m.lowEsrGrade = c.lowGrade;
    char key[40];
    std::snprintf(key, sizeof key, "%s%c%d%d%g%d", s.code, c.caseCode, c.mantissa, c.exponent,
                  c.volts, c.lowGrade ? 1 : 0);
    CSplitMix rng(SeedOf(key, 0x45535200u));
    m.esrMax = CatalogueEsr(s, CaseOf(c.caseCode), m.capacitance, c.volts, c.lowGrade, rng);
    return m;
}

void FillCatalogueRecord(ProductModel& m) {
    CapacitorRecord& r = m.record;
    std::memset(&r, 0, sizeof r);
    std::snprintf(r.partNumber, sizeof r.partNumber, "%s", m.name.c_str());
    std::snprintf(r.libraryName, sizeof r.libraryName, "%s", m.name.c_str());
    r.family = m.series->family;
    std::snprintf(r.series, sizeof r.series, "%s", m.series->code);
    r.caseCode = m.caseCode;
    r.capacitance = m.capacitance;
    r.tolerance = 'K';
    r.ratedVoltage = m.volts;
    r.esrMax = m.esrMax;
    r.tMeasured = 25.0;
}

char AlternatePackaging() {
    return 'S';
} // QAK on 13-inch reels

} // namespace

std::string CompleteSuffix(const std::string& code) {
    std::string s = code;
    if (!s.empty() && s.back() == 'R')
        s += "NJ";
    auto endsWith = [&](const char* tail) {
        const size_t n = std::strlen(tail);
        return s.size() >= n && s.compare(s.size() - n, n, tail) == 0;
    };
    if (endsWith("RNJ")) {
        if (s.compare(0, 3, "QBT") == 0)
            s.replace(s.size() - 3, 3, "RWJ");
        else if (s.compare(0, 3, "QAU") == 0)
            s.replace(s.size() - 3, 3, "RRJ");
        else if (s.compare(0, 3, "QAW") == 0)
            s.replace(s.size() - 3, 3, "RJN");
    }
    return s;
}

void SetCatalogueLimits(ProductModel& m) {
    // DF limits in the maker's steps, with room above the typical part.
    static const double kDfSteps[] = {4,  6,  8,  10, 12, 14, 15, 18, 20, 25,
                                      30, 35, 40, 45, 50, 60, 70, 80, 100};
    const double needed = m.dfAt120 * 100.0 / 0.65;
    m.dfMax = kDfSteps[sizeof kDfSteps / sizeof kDfSteps[0] - 1];
    for (double s : kDfSteps) {
        if (s >= needed) {
            m.dfMax = s;
            break;
        }
    }
    // Leakage: 0.01 CV (0.02 CV for niobium oxide), at least 0.5 µA, rounded up to 0.1 µA
    // below 10 µA and to 1 µA above.
    const double rule = m.series->family == 'N' ? 0.02 : 0.01;
    const double raw = rule * m.capacitance * m.volts;
    double dcl = raw < 10.0 ? std::ceil(raw * 10.0 - 1e-6) / 10.0 : std::ceil(raw - 1e-6);
    m.dclMax = std::max(dcl, 0.5);
    m.record.dfMax = m.dfMax;
    m.record.dclMax = m.dclMax;
}

bool BuildProductRange(ProductRange& range) {
    range = ProductRange{};
    int singles = 0;
    bool enough = true;
    for (const ProductSeries& s : ProductSeriesTable()) {
        const int n = static_cast<int>(Candidates(s).size());
        if (n < s.models) {
            std::fprintf(stderr, "productgen: series %s offers %d ratings, needs %d\n", s.code, n,
                         s.models);
            enough = false;
        }
    }
    if (!enough)
        return false;
    for (const ProductSeries& s : ProductSeriesTable()) {
        const std::vector<Candidate> all = Candidates(s);
        const int n = static_cast<int>(all.size());
        // Every case keeps its largest CV, so the range shows what each case can hold; the
        // other ratings are taken evenly over the candidates.
        std::vector<bool> take(all.size(), false);
        int taken = 0;
        for (const char* cc = s.cases; *cc != '\0'; ++cc) {
            int best = -1;
            for (int i = 0; i < n; ++i) {
                const Candidate& c = all[static_cast<size_t>(i)];
                if (c.caseCode == *cc &&
                    (best < 0 || Cv(c) > Cv(all[static_cast<size_t>(best)]) * (1.0 + 1e-9)))
                    best = i;
            }
            if (best >= 0 && !take[static_cast<size_t>(best)]) {
                take[static_cast<size_t>(best)] = true;
                ++taken;
            }
        }
        std::vector<int> rest;
        for (int i = 0; i < n; ++i) {
            if (!take[static_cast<size_t>(i)])
                rest.push_back(i);
        }
        const int more = s.models - taken;
        const long long restCount = static_cast<long long>(rest.size());
        for (int i = 0; i < more; ++i)
            take[static_cast<size_t>(
                rest[static_cast<size_t>((2LL * i + 1) * restCount / (2LL * more))])] = true;
        std::vector<ProductModel> chosen;
        for (int i = 0; i < n; ++i) {
            if (take[static_cast<size_t>(i)])
                chosen.push_back(MakeModel(s, all[static_cast<size_t>(i)]));
        }
        // The 200 °C technology of QAW: two ratings of the series again, 10 % only.
        if (std::strcmp(s.code, "QAW") == 0) {
            for (int k = 1; k <= 2; ++k) {
                ProductModel hot = chosen[static_cast<size_t>(k * s.models / 3)];
                hot.rated200 = true;
                chosen.push_back(hot);
            }
        }
        // QCL ratings qualified to 125 °C: thirteen of the larger cases up to 16 V, the last
        // one sold in 20 % only, which makes the 25 part numbers of the program's list.
        if (std::strcmp(s.code, "QCL") == 0) {
            std::vector<size_t> qualified;
            for (size_t i = 0; i < chosen.size(); ++i) {
                if (std::strchr("DEV", chosen[i].caseCode) != nullptr && chosen[i].volts <= 16.0)
                    qualified.push_back(i);
            }
            const size_t ratings = 13;
            for (size_t i = 0; i < ratings && i < qualified.size(); ++i) {
                ProductModel& m = chosen[qualified[(2 * i + 1) * qualified.size() / (2 * ratings)]];
                m.rated125 = true;
                m.twentyPercentOnly = i + 1 == ratings;
            }
        }
        for (ProductModel& m : chosen) {
            const char packaging = s.layout == CodeLayout::SuffixR ? 'R' : s.packaging;
            std::string code = OrderingCode(m, 'K', packaging);
            if (m.rated200)
                code += "JH";
            m.name = CompleteSuffix(code);
            FillCatalogueRecord(m);
            const int index = static_cast<int>(range.models.size());
            auto addPart = [&](char tol, char pack) {
                ProductPart p;
                p.code = OrderingCode(m, tol, pack);
                if (m.rated200)
                    p.code += "JH";
                p.shown = CompleteSuffix(p.code);
                // The library column keeps the part's own tolerance letter; the program maps
                // both tolerances to the K model.
                p.library = p.shown;
                p.model = index;
                p.tolerance = tol;
                range.parts.push_back(p);
            };
            if (m.rated200) {
                addPart('K', packaging);
                ++singles;
            } else if (s.tolerances == ToleranceSet::MOnly || m.twentyPercentOnly) {
                addPart('M', packaging);
                ++singles;
            } else {
                addPart('K', packaging);
                addPart('M', packaging);
            }
            range.models.push_back(m);
        }
    }
    // QAK ratings also sold on 13-inch reels: as many as the catalogue's line count asks.
    const int extra = kCatalogueParts - (2 * kLibraryModels - singles);
    std::vector<int> qak;
    for (size_t i = 0; i < range.models.size(); ++i) {
        if (std::strcmp(range.models[i].series->code, "QAK") == 0)
            qak.push_back(static_cast<int>(i));
    }
    const int pairs = (extra + 1) / 2;
    if (extra < 0 || pairs > static_cast<int>(qak.size())) {
        std::fprintf(stderr, "productgen: cannot reach %d catalogue lines\n", kCatalogueParts);
        return false;
    }
    for (int i = 0; i < pairs; ++i) {
        const int mi =
            qak[static_cast<size_t>((2 * i + 1) * static_cast<int>(qak.size()) / (2 * pairs))];
        const ProductModel& m = range.models[static_cast<size_t>(mi)];
        for (char tol : {'K', 'M'}) {
            if (tol == 'M' && 2 * i + 1 == extra)
                break;
            ProductPart p;
            p.code = OrderingCode(m, tol, AlternatePackaging());
            p.shown = CompleteSuffix(p.code);
            p.library = CompleteSuffix(OrderingCode(m, tol, 'R'));
            p.model = mi;
            p.tolerance = tol;
            range.parts.push_back(p);
        }
    }
    if (static_cast<int>(range.models.size()) != kLibraryModels ||
        static_cast<int>(range.parts.size()) != kCatalogueParts) {
        std::fprintf(stderr, "productgen: %zu models and %zu parts, expected %d and %d\n",
                     range.models.size(), range.parts.size(), kLibraryModels, kCatalogueParts);
        return false;
    }

    // Columns a maker leaves open: the older series lists no DF and ESR, ESR-coded parts often
    // leave the ESR to the code, and a few ratings carry a dash where a value is pending.
    for (ProductPart& p : range.parts) {
        const ProductSeries& s = *range.models[static_cast<size_t>(p.model)].series;
        CSplitMix rng(SeedOf(p.code.c_str(), 0x434F4Cu));
        const double u = rng.Unit();
        switch (s.columns) {
        case ColumnSet::NoDfNoEsr:
            p.df = ColumnValue::Omitted;
            p.esr = ColumnValue::Omitted;
            break;
        case ColumnSet::EsrOptional:
            if (u < 0.35)
                p.esr = ColumnValue::Omitted;
            else if (u < 0.38)
                p.df = ColumnValue::Dash;
            break;
        case ColumnSet::Full:
            if (u < 0.015)
                p.df = ColumnValue::Dash;
            else if (u < 0.025)
                p.esr = ColumnValue::Dash;
            else if (u < 0.03)
                p.esr = ColumnValue::Omitted;
            break;
        }
    }

    std::stable_sort(range.parts.begin(), range.parts.end(),
                     [](const ProductPart& a, const ProductPart& b) {
                         return ComparePartNumbers(a.shown.c_str(), b.shown.c_str()) < 0;
                     });
    for (size_t i = 1; i < range.parts.size(); ++i) {
        if (range.parts[i].shown == range.parts[i - 1].shown) {
            std::fprintf(stderr, "productgen: duplicate part %s\n", range.parts[i].shown.c_str());
            return false;
        }
    }

    for (const ProductPart& p : range.parts) {
        if (range.models[static_cast<size_t>(p.model)].rated200)
            range.qaw200Parts.push_back(p.shown);
    }
    for (const ProductPart& p : range.parts) {
        if (range.models[static_cast<size_t>(p.model)].rated125)
            range.qcl125Parts.push_back(p.shown);
    }
    const size_t want = 25;
    return range.qaw200Parts.size() == 2 && range.qcl125Parts.size() == want;
}
