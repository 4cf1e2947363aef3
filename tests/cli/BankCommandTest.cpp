#include "BankSearch.h"
#include "CCapacitorStore.h"
#include "CliRun.h"
#include "EnglishStrings.h"
#include "FrequencyResponse.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

// zeltacli bank on the shipped catalogue, run as a user runs it, against the search run in
// this process, and its best bank's deck through ngspice.

namespace {

const std::string kProduct = std::string(ZELTA_SOURCE_DIR) + "/product";

CliRun RunBank(const std::string& arguments) {
    return RunCommandLine(Quote(ZELTACLI_PATH) + " --data " + Quote(kProduct) + " bank " +
                          arguments);
}

class CSilentSink : public IMessageSink {
    void ShowMessage(int, MessageIcon, const std::string&) override {}
};

const CCapacitorStore& Shipped() {
    static CSilentSink sink;
    static EnglishStrings strings;
    static const std::unique_ptr<CCapacitorStore> store = [] {
        auto s = std::make_unique<CCapacitorStore>(sink, strings);
        EXPECT_EQ(LoadStoreFromDirectory(*s, kProduct), 0);
        return s;
    }();
    return *store;
}

std::vector<const CapacitorRecord*> SeriesParts(const char* series, double minVoltage = 0.0) {
    std::vector<const CapacitorRecord*> parts;
    for (int i = 0; i < Shipped().GetCount(); ++i) {
        const CapacitorRecord* r = Shipped().GetAt(static_cast<unsigned>(i));
        if (std::strcmp(r->series, series) == 0 && r->ratedVoltage >= minVoltage)
            parts.push_back(r);
    }
    return parts;
}

// CSV records (no quoted fields in these tables), each ended by CR LF.
std::vector<std::vector<std::string>> CsvRows(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "a record without CR LF";
        if (end == std::string::npos)
            break;
        std::vector<std::string> fields;
        std::string line = text.substr(start, end - start);
        size_t from = 0;
        for (;;) {
            const size_t comma = line.find(',', from);
            fields.push_back(line.substr(from, comma == std::string::npos ? comma : comma - from));
            if (comma == std::string::npos)
                break;
            from = comma + 1;
        }
        rows.push_back(fields);
        start = end + 2;
    }
    return rows;
}

// The rising mask of a rail, mounted parts and a converter: the query both sides run.
const char* const kRailArguments =
    "--mask 1k:50m,100k:10m,2M:10m,100M:1 --max-types 2 --max-parts 6 "
    "--mount-inductance 0.3n --mount-inductance-case A=0.2n --mount-resistance 0.5m "
    "--vrm-resistance 20m --vrm-inductance 40n --series QCL --min-voltage 4 --limit 12";

BankQuery RailQuery() {
    BankQuery q;
    q.mask = {{1e3, 0.05}, {1e5, 0.01}, {2e6, 0.01}, {1e8, 1.0}};
    q.fromFrequency = 1e3;
    q.toFrequency = 1e8;
    q.maxTypes = 2;
    q.maxParts = 6;
    q.mountInductance = 0.3e-9;
    q.caseMountInductance = {{'A', 0.2e-9}};
    q.mountResistance = 0.5e-3;
    q.converter = true;
    q.converterResistance = 0.02;
    q.converterInductance = 40e-9;
    q.limit = 12;
    return q;
}

TEST(BankCommand, AnswersAreTheSearchsInEveryFormat) {
    const BankSearchResult expected = FindBanks(SeriesParts("QCL", 4.0), RailQuery());
    ASSERT_TRUE(expected.complete);
    ASSERT_EQ(expected.banks.size(), 12u);

    const CliRun csv = RunBank(std::string(kRailArguments) + " --format csv");
    ASSERT_EQ(csv.status, 0) << csv.err;
    const auto rows = CsvRows(csv.out);
    ASSERT_EQ(rows.size(), 13u) << csv.out;
    EXPECT_EQ(rows[0][0], "rank");
    for (size_t i = 0; i < expected.banks.size(); ++i) {
        const Bank& b = expected.banks[i];
        const auto& row = rows[i + 1];
        ASSERT_EQ(row.size(), 14u);
        EXPECT_EQ(row[1], std::to_string(b.partCount));
        EXPECT_EQ(row[2], std::to_string(b.typeCount));
        EXPECT_EQ(std::stod(row[4]), b.worstMargin) << i; // shortest round-trip form
        EXPECT_EQ(std::stod(row[6]), b.worstImpedance) << i;
        for (int t = 0; t < kMaxBankTypes; ++t) {
            EXPECT_EQ(row[8 + 2 * t], t < b.typeCount ? b.parts[t].record->partNumber : "");
            EXPECT_EQ(row[9 + 2 * t], t < b.typeCount ? std::to_string(b.parts[t].count) : "");
        }
        // The reported worst point is on the bank's own curve.
        EXPECT_EQ(BankImpedanceAt(b, RailQuery(), std::stod(row[5])), b.worstImpedance);
    }

    const CliRun json = RunBank(std::string(kRailArguments) + " --format json");
    ASSERT_EQ(json.status, 0) << json.err;
    const QJsonObject root = QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).object();
    const QJsonArray banks = root["banks"].toArray();
    ASSERT_EQ(banks.size(), 12);
    EXPECT_DOUBLE_EQ(root["query"].toObject()["caseMountInductance"].toObject()["A"].toDouble(),
                     0.2e-9);
    const QJsonArray first = banks[0].toObject()["bank"].toArray();
    ASSERT_EQ(first.size(), expected.banks[0].typeCount);
    EXPECT_EQ(first[0].toObject()["partNumber"].toString().toStdString(),
              expected.banks[0].parts[0].record->partNumber);

    const CliRun text = RunBank(kRailArguments);
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("converter 20 mOhm + 40 nH"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find(std::string(expected.banks[0].parts[0].record->partNumber)),
              std::string::npos);
}

TEST(BankCommand, BadInputIsOneMessageAndAFailingStatus) {
    const struct {
        const char* arguments;
        int status;
        const char* message;
    } cases[] = {
        {"--from 1k --to 1M", 2, "bank needs --mask"},
        {"--mask 1k:10m --to 1M", 2, "a mask of one corner needs --from and --to"},
        {"--mask 1k:10m,1M:20m --vrm-resistance 1m", 2, "go together"},
        {"--mask 1k:10m,1M:20m --colour red", 2, "unknown argument --colour"},
        {"--mask 1k:10m,1M:20m --max-parts 3 --max-parts 4", 2, "--max-parts given twice"},
        {"--mask 1M:10m,1k:20m", 1, "rising frequency, not \"1k:20m\" after 1 MHz"},
        {"--mask 1k:10m,1k:20m", 1, "rising frequency"},
        {"--mask 1k:0,1M:20m", 1, "above 0, not \"1k:0\""},
        {"--mask 1k:-5m,1M:20m", 1, "above 0"},
        {"--mask '1k;10m'", 1, "corners HZ:OHM separated by commas"},
        {"--mask 1k:10m,,1M:2", 1, "corners HZ:OHM"},
        {"--mask 1k:10m,1M:20m --max-types 4", 1, "--max-types takes a whole number from 1 to 3"},
        {"--mask 1k:10m,1M:20m --max-types 0", 1, "--max-types"},
        {"--mask 1k:10m,1M:20m --max-parts 101", 1,
         "--max-parts takes a whole number from 1 to 100"},
        {"--mask 1k:10m,1M:20m --max-parts 2.5", 1, "--max-parts"},
        {"--mask 1k:10m,1M:20m --mount-inductance -1n", 1,
         "--mount-inductance takes a value from 0 H"},
        {"--mask 1k:10m,1M:20m --mount-inductance-case A=1n,a=2n", 1, "names case A twice"},
        {"--mask 1k:10m,1M:20m --mount-inductance-case A:1n", 1, "CASE=H"},
        {"--mask 1k:10m,1M:20m --vrm-resistance 0 --vrm-inductance 0", 1, "cannot both be 0"},
        {"--mask 1k:10m,1M:20m --from 1M --to 1k", 1, "is above --to"},
        {"--mask 1k:10m,1M:20m --from 200M --to 300M", 1, "holds no frequency of the grid"},
        {"--mask 1k:10m,1M:20m --time-limit 0", 1, "--time-limit takes seconds above 0"},
        {"--mask 1k:10m,1M:20m --format xml", 1, "--format takes text, csv or json"},
        {"--mask 1k:10m,1M:20m --min-voltage -1", 1,
         "--min-voltage takes a voltage of 0 V or more"},
        {"--mask 1k:1m,1M:1m --max-parts 3 --series QCL", 1,
         "no bank keeps |Z| <= mask 1 kHz: 1 mOhm, 1 MHz: 1 mOhm from 1 kHz to 1 MHz"},
    };
    for (const auto& c : cases) {
        const CliRun run = RunBank(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments << "\n" << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.arguments << "\n" << run.err;
        EXPECT_TRUE(run.out.empty()) << c.arguments;
        if (c.status == 1) { // one message line
            EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        }
    }
}

TEST(BankCommand, TimeLimitSaysHowFarTheSearchGot) {
    const CliRun run =
        RunBank("--mask 10k:0.1m --from 10k --to 10M --max-parts 40 --time-limit 0.001");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("the search stopped at its time limit of 0.001 s: "), std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("no bank found there. Raise --time-limit"), std::string::npos)
        << run.err;
    EXPECT_TRUE(run.out.empty());

    // Banks of the finished levels are the best there are: they are shown. A fast machine may
    // finish this search inside its limit; then it answers in full and says nothing more.
    const CliRun some = RunBank("--mask 10k:20m --from 10k --to 10M --max-parts 60 "
                                "--limit 100000 --time-limit 3 --series QCL --format csv");
    if (some.status == 0) {
        EXPECT_TRUE(some.err.empty()) << some.err;
    } else {
        EXPECT_EQ(some.status, 1);
        EXPECT_NE(some.err.find(" found there, the best there are."), std::string::npos)
            << some.err;
    }
    EXPECT_EQ(some.out.find("\r\n1,"), some.out.find("\r\n")) << some.out.substr(0, 400);
}

// ---------------------------------------------------------------------------------------
// The best bank's deck through ngspice

TEST(BankCommand, NgspiceAgreesWithTheBanksCurve) {
    if (std::system("command -v ngspice >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "ngspice is not installed";
    const std::string dir = MakeTempDir("bank-deck");
    // Over the whole catalogue the best bank mixes a polymer part (four-element ladder) with
    // three-stage QCR parts, each mounted, beside the converter, at 85 degrees.
    const CliRun run = RunBank("--mask 1k:20m,100k:8m,3M:8m,100M:1 --max-parts 4 "
                               "--mount-inductance 0.3n --mount-inductance-case A=0.2n "
                               "--mount-resistance 0.5m --vrm-resistance 20m --vrm-inductance 40n "
                               "--temperature 85 --min-voltage 4 --limit 1 --format csv "
                               "--netlist " +
                               Quote(dir + "/bank.cir"));
    ASSERT_EQ(run.status, 0) << run.err;
    BankQuery q = RailQuery();
    q.mask = {{1e3, 0.02}, {1e5, 0.008}, {3e6, 0.008}, {1e8, 1.0}};
    q.maxParts = 4;
    q.temperature = 85;
    q.limit = 1;
    std::vector<const CapacitorRecord*> parts;
    for (int i = 0; i < Shipped().GetCount(); ++i) {
        const CapacitorRecord* r = Shipped().GetAt(static_cast<unsigned>(i));
        if (r->ratedVoltage >= 4.0)
            parts.push_back(r);
    }
    const BankSearchResult expected = FindBanks(parts, q);
    ASSERT_EQ(expected.banks.size(), 1u);
    const Bank& best = expected.banks.front();
    ASSERT_EQ(best.typeCount, 2);
    EXPECT_EQ(CsvRows(run.out)[1][8], best.parts[0].record->partNumber);
    EXPECT_EQ(CsvRows(run.out)[1][10], best.parts[1].record->partNumber);

    // The deck as written, with the analysis written to a file in full precision.
    std::string deck = ReadAll(dir + "/bank.cir");
    const std::string tail = ".print ac vm(rail)\n.end\n";
    ASSERT_GE(deck.size(), tail.size());
    ASSERT_EQ(deck.substr(deck.size() - tail.size()), tail) << deck;
    deck.resize(deck.size() - tail.size());
    deck += ".control\nset wr_singlescale\noption numdgt=15\nrun\nwrdata z.txt v(rail)\n.endc\n"
            ".end\n";
    std::ofstream(dir + "/run.cir") << deck;
    // ngspice -b reports a non-zero status even after a good run of a .control block; the
    // output file is the evidence.
    (void)std::system(("cd " + Quote(dir) + " && ngspice -b run.cir > ngspice.log 2>&1").c_str());
    std::ifstream in(dir + "/z.txt");
    double f = 0, re = 0, im = 0;
    int inBand = 0;
    while (in >> f >> re >> im) {
        // The program's w uses a ten-digit 2 pi: compare at the frequency that gives the
        // simulator's w.
        const double at = f * (2.0 * M_PI / kTwoPi);
        if (at < q.fromFrequency || at > q.toFrequency)
            continue;
        ++inBand;
        const double z = std::hypot(re, im);
        ASSERT_NEAR(BankImpedanceAt(best, q, at), z, 1e-9 * z) << f << " Hz, see " << dir;
    }
    EXPECT_GT(inBand, 490) << ReadAll(dir + "/ngspice.log");
}

// ---------------------------------------------------------------------------------------
// plot --bank

TEST(BankCommand, PlotDrawsTheBankWithItsMask) {
    const std::string dir = MakeTempDir("bank-plot");
    const std::string bank = "1 x QCLE158K004R0012 + 3xQCRC227M006R0050";
    const std::string surroundings = " --mask 1k:20m,100k:8m,3M:8m,100M:1 --mount-inductance 0.3n "
                                     "--vrm-resistance 20m --vrm-inductance 40n --temperature 85 ";
    const CliRun run =
        RunCommandLine(Quote(ZELTACLI_PATH) + " --data " + Quote(kProduct) + " plot --bank " +
                       Quote(bank) + surroundings + Quote(dir + "/bank.svg") + " --size 640x480");
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string text = ReadAll(dir + "/bank.svg");
    EXPECT_NE(text.find(">1 x QCLE158K004R0012 + 3 x QCRC227M006R0050<"), std::string::npos);
    EXPECT_NE(text.find(">bank @85"), std::string::npos);
    EXPECT_NE(text.find(">mask<"), std::string::npos);
    EXPECT_NE(text.find("viewBox=\"0 0 640 480\""), std::string::npos);

    const struct {
        std::string arguments;
        int status;
        const char* message;
    } cases[] = {
        {"--bank " + Quote(bank) + surroundings + "--limit 3 out.png", 2,
         "--limit is an option of bank"},
        {"--bank " + Quote(bank) + " out.png", 2, "plot --bank needs --mask"},
        {"--bank " + Quote(bank) + surroundings + "QAKA105K050R out.png", 2,
         "into one output file"},
        {"--bank " + Quote("3 QCLE158K004R0012") + surroundings + "out.png", 1,
         "--bank takes N x PART terms joined by +"},
        {"--bank " + Quote("1 x QCLE158K004R0012 + 2 x QCLE158K004R0012") + surroundings +
             "out.png",
         1, "names QCLE158K004R0012 twice"},
        {"--bank " + Quote("1 x NOSUCHPART") + surroundings + "out.png", 1,
         "Capacitor NOSUCHPART is not in the catalogue"},
        // QCL parts go to 105 degrees.
        {"--bank " + Quote("1 x QCLE158K004R0012") +
             " --mask 1k:1 --from 1k --to 1M "
             "--temperature 125 out.png",
         1, "cannot be in a bank at 125"},
    };
    for (const auto& c : cases) {
        const CliRun bad = RunCommandLine("cd " + Quote(dir) + " && " + Quote(ZELTACLI_PATH) +
                                          " --data " + Quote(kProduct) + " plot " + c.arguments);
        EXPECT_EQ(bad.status, c.status) << c.arguments << "\n" << bad.err;
        EXPECT_NE(bad.err.find(c.message), std::string::npos) << c.arguments << "\n" << bad.err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir + "/out.png"));
}

} // namespace
