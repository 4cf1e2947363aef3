// The shipped product data, loaded exactly as the program loads it at start-up, against what
// a maker's data must satisfy: every part with a model, the catalogue's own rules, and models
// that behave like measured parts.

#include "EnglishStrings.h"
#include "CCapacitorStore.h"
#include "FrequencyResponse.h"
#include "ModelVector.h"
#include "PartNumber.h"
#include "RippleLimits.h"
#include "TemperatureLists.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

class CollectingSink : public IMessageSink {
public:
    void ShowMessage(int, MessageIcon, const std::string& text) override { texts.push_back(text); }
    std::vector<std::string> texts;
};

std::string ProductPath(const char* name) {
    return std::string(ZELTA_SOURCE_DIR) + "/product/" + name;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool EndsWith(const char* text, const char* tail) {
    const size_t n = std::strlen(text);
    const size_t m = std::strlen(tail);
    return n >= m && std::strcmp(text + n - m, tail) == 0;
}

FrequencyPoint Evaluate(const CapacitorRecord& r, double frequency, double temperature = 25.0) {
    ModelVector v{};
    BuildModelVector(r, v);
    if (temperature != r.tMeasured)
        ScaleModelToTemperature(r, v, temperature);
    FrequencyPoint p{};
    p.frequency = frequency;
    EvaluatePoint(r, p, v, false);
    return p;
}

// Collects failures per rule and reports a few of each, so one broken model does not bury
// the output under thousands of lines.
class Findings {
public:
    void Add(const std::string& rule, const std::string& part) { m_byRule[rule].push_back(part); }
    std::string Report() const {
        std::ostringstream out;
        for (const auto& [rule, parts] : m_byRule) {
            out << rule << ": " << parts.size() << " parts, e.g.";
            for (size_t i = 0; i < parts.size() && i < 5; ++i)
                out << ' ' << parts[i];
            out << '\n';
        }
        return out.str();
    }
    bool Empty() const { return m_byRule.empty(); }

private:
    std::map<std::string, std::vector<std::string>> m_byRule;
};

class ShippedData : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_sink = new CollectingSink;
        s_strings = new EnglishStrings;
        s_store = new CCapacitorStore(*s_sink, *s_strings);
        s_status = LoadStoreFromDirectory(*s_store, std::string(ZELTA_SOURCE_DIR) + "/product");
    }
    static void TearDownTestSuite() {
        delete s_store;
        delete s_strings;
        delete s_sink;
    }
    void SetUp() override {
        ASSERT_EQ(s_status, 0) << (s_sink->texts.empty() ? "" : s_sink->texts.front());
    }

    static std::vector<const CapacitorRecord*> Records() {
        std::vector<const CapacitorRecord*> out;
        for (int i = 0; i < s_store->GetCount(); ++i)
            out.push_back(s_store->GetAt(static_cast<unsigned>(i)));
        return out;
    }
    static const CapacitorRecord* Find(const std::string& partNumber) {
        static std::map<std::string, const CapacitorRecord*> byPartNumber;
        if (byPartNumber.empty()) {
            for (const CapacitorRecord* r : Records())
                byPartNumber[r->partNumber] = r;
        }
        const auto it = byPartNumber.find(partNumber);
        return it == byPartNumber.end() ? nullptr : it->second;
    }

    static CollectingSink* s_sink;
    static EnglishStrings* s_strings;
    static CCapacitorStore* s_store;
    static int s_status;
};

CollectingSink* ShippedData::s_sink = nullptr;
EnglishStrings* ShippedData::s_strings = nullptr;
CCapacitorStore* ShippedData::s_store = nullptr;
int ShippedData::s_status = -1;

TEST_F(ShippedData, LoadsEveryPartWithItsModel) {
    EXPECT_EQ(s_store->GetCount(), 4084);
    EXPECT_EQ(s_store->GetModelCount(), 2027u);
    EXPECT_TRUE(s_sink->texts.empty());
    // Every part received a ladder from the library.
    for (const CapacitorRecord* r : Records())
        ASSERT_GT(r->ladderC[0], 0.0) << r->partNumber;
}

TEST_F(ShippedData, FilesAreWindowsTextWithTheCatalogueHeader) {
    for (const char* name : {"cap.vorn", "vorncap.lib", "ZeltaIII.srv"}) {
        const std::string bytes = ReadBytes(ProductPath(name));
        ASSERT_FALSE(bytes.empty()) << name;
        size_t bare = 0;
        for (size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r'))
                ++bare;
        }
        EXPECT_EQ(bare, 0u) << name << " has lines without CR LF";
        EXPECT_EQ(bytes.back(), '\n') << name;
    }
    const std::string catalogue = ReadBytes(ProductPath("cap.vorn"));
    EXPECT_EQ(catalogue.substr(0, catalogue.find('\r')),
              "* Part number\tLibrary name\tSerie\tCase size\tCapacitance (uF)\t"
              "Rated voltage (V)\tLeakage current (uA)\tDF (%)\tESR (mOhms)");
}

TEST_F(ShippedData, ServerSettingsNameOneUpdateHostTwice) {
    const std::string srv = ReadBytes(ProductPath("ZeltaIII.srv"));
    const std::string head = "[zelta]\r\n\r\nhttpserver=";
    ASSERT_EQ(srv.compare(0, head.size(), head), 0) << srv;
    const size_t hostEnd = srv.find("\r\n", head.size());
    const std::string host = srv.substr(head.size(), hostEnd - head.size());
    EXPECT_FALSE(host.empty());
    EXPECT_EQ(host.find_first_of(" /\t"), std::string::npos) << host;
    EXPECT_EQ(srv, head + host + "\r\nhttpdir=ZeltaApps/Zelta\r\nhttpserver2=" + host +
                       "\r\nhttpdir2=ZeltaApps/Zelta\r\n");
}

TEST_F(ShippedData, OffersEverySeriesOfTheSelectionDialogAndOneMore) {
    const std::set<std::string> offered = {"QAK", "QAP", "QAT", "QAU", "QAV", "QAW", "QAX",
                                           "QAY", "QAZ", "QBH", "QBM", "QBN", "QBT", "QBZ",
                                           "QCJ", "QCK", "QCL", "QCM", "QCN", "QCR", "QCT",
                                           "QCU", "QCV", "QCW", "QCX", "QCY", "QCZ"};
    std::map<std::string, int> count;
    for (const CapacitorRecord* r : Records())
        ++count[r->series];
    for (const std::string& s : offered)
        EXPECT_GT(count[s], 0) << s;
    std::vector<std::string> others;
    for (const auto& [series, n] : count) {
        if (offered.count(series) == 0)
            others.push_back(series);
    }
    ASSERT_EQ(others.size(), 1u);
    EXPECT_TRUE(others[0] == "QDA" || others[0] == "QDB" || others[0] == "QDC" ||
                others[0] == "QDD")
        << others[0];
}

TEST_F(ShippedData, UsesEveryPartNumberLayout) {
    struct Layout {
        const char* what;
        bool (*matches)(const CapacitorRecord&);
    };
    const Layout layouts[] = {
        {"QAK completed with NJ",
         [](const CapacitorRecord& r) {
             return std::strncmp(r.partNumber, "QAK", 3) == 0 && EndsWith(r.partNumber, "RNJ");
         }},
        {"QBT completed with RWJ",
         [](const CapacitorRecord& r) { return EndsWith(r.partNumber, "RWJ"); }},
        {"QAU completed with RRJ",
         [](const CapacitorRecord& r) { return EndsWith(r.partNumber, "RRJ"); }},
        {"QAW completed with RJN",
         [](const CapacitorRecord& r) { return EndsWith(r.partNumber, "RJN"); }},
        {"QAW 200 degC RJH",
         [](const CapacitorRecord& r) { return EndsWith(r.partNumber, "RJH"); }},
        {"12 characters", [](const CapacitorRecord& r) { return std::strlen(r.partNumber) == 12; }},
        {"16 characters with ESR digits",
         [](const CapacitorRecord& r) {
             return std::strlen(r.partNumber) == 16 && r.partNumber[11] == 'R';
         }},
        {"family F", [](const CapacitorRecord& r) { return r.family == 'F'; }},
        {"family N", [](const CapacitorRecord& r) { return r.family == 'N'; }},
        {"tolerance K", [](const CapacitorRecord& r) { return r.tolerance == 'K'; }},
        {"tolerance M", [](const CapacitorRecord& r) { return r.tolerance == 'M'; }},
        {"no DF limit", [](const CapacitorRecord& r) { return r.dfMax == 0.0; }},
        {"no ESR limit", [](const CapacitorRecord& r) { return r.esrMax == 0.0; }},
    };
    for (const Layout& layout : layouts) {
        const auto records = Records();
        EXPECT_TRUE(std::any_of(records.begin(), records.end(), [&](const CapacitorRecord* r) {
            return layout.matches(*r);
        })) << layout.what;
    }
}

// The catalogue columns override what the part number says; in the shipped file they must
// say the same thing.
TEST_F(ShippedData, ColumnsAgreeWithThePartNumbers) {
    std::ifstream in(ProductPath("cap.vorn"));
    std::string line;
    int checked = 0;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '*')
            continue;
        const std::string code = line.substr(0, line.find('\t'));
        CapacitorRecord decoded{};
        ASSERT_TRUE(DecodePartNumber(code, decoded)) << code;
        const CapacitorRecord* r = Find(decoded.partNumber);
        ASSERT_NE(r, nullptr) << code;
        EXPECT_EQ(r->family, decoded.family) << code;
        EXPECT_STREQ(r->series, decoded.series) << code;
        EXPECT_EQ(r->caseCode, decoded.caseCode) << code;
        EXPECT_EQ(r->tolerance, decoded.tolerance) << code;
        EXPECT_NEAR(r->capacitance, decoded.capacitance, 1e-9 * decoded.capacitance) << code;
        EXPECT_EQ(r->ratedVoltage, decoded.ratedVoltage) << code;
        if (decoded.esrMax != 0.0) {
            EXPECT_EQ(r->esrMax, decoded.esrMax) << code;
        }
        ++checked;
    }
    EXPECT_EQ(checked, 4084);
}

TEST_F(ShippedData, MostRatingsComeInBothTolerances) {
    std::map<std::string, std::set<char>> tolerances;
    for (const CapacitorRecord* r : Records()) {
        std::string name = r->libraryName; // the loader put K in the tolerance position
        tolerances[name].insert(r->tolerance);
    }
    size_t both = 0;
    for (const auto& [name, set] : tolerances)
        both += set.size() == 2 ? 1 : 0;
    EXPECT_EQ(tolerances.size(), 2027u);
    EXPECT_GT(both * 10, tolerances.size() * 8);
}

TEST_F(ShippedData, CatalogueLimitsFollowTheMakersRules) {
    Findings findings;
    std::map<std::string, std::map<char, double>> cvByCase; // series -> case -> largest CV
    for (const CapacitorRecord* r : Records()) {
        const double rule = r->family == 'N' ? 0.02 : 0.01;
        const double exact = rule * r->capacitance * r->ratedVoltage;
        // The catalogue rounds the rule up to 0.1 µA (1 µA from 10 µA), at least 0.5 µA.
        const double step = exact < 10.0 ? 0.1 : 1.0;
        if (r->dclMax < exact - 1e-9 || r->dclMax > std::max(0.5, exact + step) + 1e-9)
            findings.Add("DCL limit off the 0.01 CV rule", r->partNumber);
        if (r->dfMax != 0.0 && (r->dfMax < 2.0 || r->dfMax > 100.0))
            findings.Add("DF limit outside a few to some tens of percent", r->partNumber);
        const bool polymer = std::strcmp(r->series, "QCL") == 0 ||
                             std::strcmp(r->series, "QCM") == 0 ||
                             std::strcmp(r->series, "QCR") == 0;
        if (r->esrMax != 0.0 && (r->esrMax < 5.0 || r->esrMax > (polymer ? 300.0 : 30000.0)))
            findings.Add("ESR limit implausible for the technology", r->partNumber);
        double& cv = cvByCase[r->series][r->caseCode];
        cv = std::max(cv, r->capacitance * r->ratedVoltage);
    }
    // Within a series, the larger of the standard cases holds more CV.
    for (const auto& [series, cases] : cvByCase) {
        double previous = 0.0;
        for (char c : std::string("ABCDE")) {
            const auto it = cases.find(c);
            if (it == cases.end())
                continue;
            if (it->second <= previous)
                findings.Add("a larger case holds less CV", series + " case " + c);
            previous = it->second;
        }
    }
    EXPECT_TRUE(findings.Empty()) << findings.Report();
}

// The rules a measured part meets, checked on every model of the shipped library.
TEST_F(ShippedData, ModelsBehaveLikeMeasuredParts) {
    Findings findings;
    CurveSet curves;
    CurveSet bareCurves;
    const int n = BuildFrequencyGrid(curves.frequency, kMaxCurvePoints);
    BuildFrequencyGrid(bareCurves.frequency, kMaxCurvePoints);
    std::set<std::string> modelsSeen;

    for (const CapacitorRecord* part : Records()) {
        const CapacitorRecord& r = *part;
        const double rated = r.capacitance * 1e-6;
        const FrequencyPoint low = Evaluate(r, 120.0);
        if (std::fabs(low.seriesCapacitance / rated - 1.0) > 0.10)
            findings.Add("C at 120 Hz not within 10 % of rated", r.partNumber);
        if (r.dfMax != 0.0 && !(low.dissipationFactor * 100.0 < r.dfMax))
            findings.Add("DF at 120 Hz not below the catalogue limit", r.partNumber);
        const double fRef = EsrReferenceFrequency(r.series);
        const FrequencyPoint ref = Evaluate(r, fRef);
        if (r.esrMax != 0.0) {
            const double ratio = ref.esr / (r.esrMax * 1e-3);
            if (!(ratio >= 0.5 && ratio <= 0.95))
                findings.Add("ESR at the reference frequency not 50..95 % of the limit",
                             r.partNumber);
        }
        if (!(r.lesl >= 0.3e-9 && r.lesl <= 3e-9))
            findings.Add("ESL outside 0.3..3 nH", r.partNumber);

        // Temperature: C up and ESR down over every temperature the part may be shown at.
        const int maxT = MaxTemperature(&r);
        double prevC = 0.0;
        double prevEsr = 1e300;
        for (double t : {-55.0, 0.0, 25.0, 85.0, 105.0, 125.0, 175.0, 200.0}) {
            if (t > maxT)
                break;
            const double c = Evaluate(r, 120.0, t).seriesCapacitance;
            const double e = Evaluate(r, fRef, t).esr;
            if (!(c > prevC && e < prevEsr)) {
                findings.Add("C or ESR not monotonic with temperature", r.partNumber);
                break;
            }
            prevC = c;
            prevEsr = e;
        }
        const double cCold = Evaluate(r, 120.0, -55.0).seriesCapacitance / low.seriesCapacitance;
        const double eCold = Evaluate(r, fRef, -55.0).esr / ref.esr;
        const double eHot = Evaluate(r, fRef, maxT).esr / ref.esr;
        if (cCold < 0.75 || eCold > 3.0 || eHot < 0.3)
            findings.Add("temperature change beyond what parts show", r.partNumber);

        // The curves depend on the model only: check each sub-circuit once.
        if (!modelsSeen.insert(r.libraryName).second)
            continue;
        ModelVector v{};
        BuildModelVector(r, v);
        EvaluateCurveSet(r, v, false, curves, n);
        int minimum = 0;
        for (int i = 1; i < n; ++i) {
            if (curves.impedanceMagnitude[i] < curves.impedanceMagnitude[minimum])
                minimum = i;
        }
        for (int i = 1; i < n; ++i) {
            const double ratio = curves.impedanceMagnitude[i] / curves.impedanceMagnitude[i - 1];
            if ((i <= minimum && ratio > 1.0 + 1e-12) || (i > minimum && ratio < 1.0 - 1e-12)) {
                findings.Add("|Z| has more than one minimum", r.libraryName);
                break;
            }
        }
        if (curves.frequency[minimum] < 1e5 || curves.frequency[minimum] > 5e7)
            findings.Add("self-resonance outside 100 kHz..50 MHz", r.libraryName);
        if (!(Evaluate(r, 1e8).reactance > 0.0))
            findings.Add("not inductive at 100 MHz", r.libraryName);

        // Without its inductances the network loses capacitance steadily with frequency.
        CapacitorRecord bare = r;
        bare.lesl = 1e-24;
        if (bare.lP != 0.0)
            bare.lP = 1e-24;
        ModelVector bv{};
        BuildModelVector(bare, bv);
        EvaluateCurveSet(bare, bv, false, bareCurves, n);
        for (int i = 1; i < n; ++i) {
            if (bareCurves.seriesCapacitance[i] >
                bareCurves.seriesCapacitance[i - 1] * (1 + 1e-9)) {
                findings.Add("capacitance rises with frequency", r.libraryName);
                break;
            }
        }
        if (!(Evaluate(bare, 1e7).seriesCapacitance < 0.8 * low.seriesCapacitance))
            findings.Add("no capacitance roll-off by 10 MHz", r.libraryName);
    }
    EXPECT_EQ(modelsSeen.size(), 2027u);
    EXPECT_TRUE(findings.Empty()) << findings.Report();
}

TEST_F(ShippedData, TemperatureListsNameCataloguedParts) {
    std::set<std::string> listed200;
    for (const char* p : kQaw200PartNumbers) {
        const CapacitorRecord* r = Find(p);
        ASSERT_NE(r, nullptr) << p;
        EXPECT_STREQ(r->series, "QAW");
        EXPECT_TRUE(EndsWith(p, "RJH")) << p;
        EXPECT_EQ(MaxTemperature(r), 200) << p;
        listed200.insert(p);
    }
    // The 200 °C technology holds exactly the listed parts.
    for (const CapacitorRecord* r : Records()) {
        if (EndsWith(r->partNumber, "RJH")) {
            EXPECT_EQ(listed200.count(r->partNumber), 1u) << r->partNumber;
        }
    }
    std::set<std::string> distinct;
    for (const char* p : kQcl125PartNumbers) {
        const CapacitorRecord* r = Find(p);
        ASSERT_NE(r, nullptr) << p;
        EXPECT_STREQ(r->series, "QCL");
        EXPECT_EQ(MaxTemperature(r), 125) << p;
        distinct.insert(p);
    }
    EXPECT_EQ(distinct.size(), 25u);
    // A rating is qualified as a whole: every tolerance of a listed part is listed too.
    std::set<std::string> qualifiedModels;
    for (const char* p : kQcl125PartNumbers)
        qualifiedModels.insert(Find(p)->libraryName);
    for (const CapacitorRecord* r : Records()) {
        if (qualifiedModels.count(r->libraryName) != 0) {
            EXPECT_EQ(distinct.count(r->partNumber), 1u) << r->partNumber;
        }
    }
}

} // namespace
