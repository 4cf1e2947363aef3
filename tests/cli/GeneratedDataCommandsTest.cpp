#include "CliRun.h"
#include "TestEnvironment.h"
#include "ValidDataSets.h"

#include <gtest/gtest.h>

#include <dirent.h>

#include <filesystem>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

// zeltacli on the generated valid data sets, run as a user runs it: check loads every one,
// and no output of data, compare, find or sparams holds a NaN or an infinity.

namespace {

constexpr int kCheckedSeeds = 40;
// Seeds whose data sets every output command is run on, the seed kept as a fixture first.
const int kSampledSeeds[] = {1, 22, 37};

std::string Zeltacli() {
    return Quote(ZELTACLI_PATH);
}

std::string DataSetFolder(int seed) {
    static const std::string root = MakeTempDir("generated-sets");
    return root + "/seed-" + std::to_string(seed);
}

valid::DataSet WriteDataSet(int seed) {
    const valid::DataSet set = valid::GenerateDataSet(static_cast<std::uint64_t>(seed));
    const std::string dir = DataSetFolder(seed);
    std::filesystem::create_directories(dir);
    EXPECT_TRUE(generated::WriteFile(dir + "/cap.vorn", set.catalogue));
    EXPECT_TRUE(generated::WriteFile(dir + "/vorncap.lib", set.library));
    return set;
}

// "nan", "inf", "-inf", "infinity" as a word of their own, in any letter case.
bool HoldsNonFiniteNumber(const std::string& text) {
    static const std::regex word("(^|[^A-Za-z])(nan|inf|infinity)([^A-Za-z]|$)", std::regex::icase);
    return std::regex_search(text, word);
}

TEST(GeneratedDataSets, CheckLoadsEveryOne) {
    std::string script;
    std::vector<std::string> expected;
    for (int seed = 1; seed <= kCheckedSeeds; ++seed) {
        const valid::DataSet set = WriteDataSet(seed);
        script += Zeltacli() + " --data " + Quote(DataSetFolder(seed)) + " check 2>&1; ";
        expected.push_back(std::to_string(set.parts.size()) + " capacitors, " +
                           std::to_string(set.models) + " models");
    }
    const CliRun run = RunCommandLine("{ " + script + "}");
    std::istringstream lines(run.out);
    std::string line;
    for (int seed = 1; seed <= kCheckedSeeds; ++seed) {
        ASSERT_TRUE(static_cast<bool>(std::getline(lines, line))) << "seed " << seed;
        EXPECT_EQ(line, expected[static_cast<size_t>(seed - 1)]) << "seed " << seed;
    }
}

TEST(GeneratedDataSets, NoOutputHoldsANanOrAnInfinity) {
    for (const int seed : kSampledSeeds) {
        const valid::DataSet set = WriteDataSet(seed);
        const std::string data = " --data " + Quote(DataSetFolder(seed)) + " ";
        std::vector<std::string> commands;
        // Two parts at the lowest temperature and above every limit (so at each part's own).
        for (size_t p = 0; p < set.parts.size() && p < 2; ++p) {
            for (const char* t : {"-55", "250"})
                commands.push_back("data " + Quote(set.parts[p].shown) + " --temperature " + t);
        }
        std::string all;
        for (const valid::GeneratedPart& part : set.parts)
            all += " " + Quote(part.shown);
        if (set.parts.size() >= 2) {
            commands.push_back("compare" + all + " --quantity capacitance --format json");
            commands.push_back("compare" + all + " --quantity df --temperature -55");
            commands.push_back("compare" + all + " --quantity ripple-current --temperature 250");
        }
        commands.push_back("find --max-impedance 1G --from 100 --to 100M --max-count 1000");
        commands.push_back("find --max-impedance 1G --from 100 --to 100M --max-count 1000 "
                           "--ripple-current 1m --at 1M --temperature 85 --format json");
        const std::string out = DataSetFolder(seed) + "/s2p";
        commands.push_back("sparams " + Quote(set.parts[0].shown) + " " + Quote(out));

        std::filesystem::create_directories(out);
        for (const std::string& command : commands) {
            const CliRun run = RunCommandLine(Zeltacli() + data + command);
            // find may have no answer on a small set; everything else succeeds.
            if (command.rfind("find", 0) != 0) {
                EXPECT_EQ(run.status, 0) << "seed " << seed << ": " << command << "\n" << run.err;
            }
            EXPECT_FALSE(HoldsNonFiniteNumber(run.out))
                << "seed " << seed << ": " << command << "\n"
                << run.out.substr(0, 2000);
        }
        DIR* folder = opendir(out.c_str());
        ASSERT_NE(folder, nullptr);
        int files = 0;
        while (const dirent* entry = readdir(folder)) {
            const std::string name = entry->d_name;
            if (name == "." || name == "..")
                continue;
            ++files;
            EXPECT_FALSE(HoldsNonFiniteNumber(ReadAll(out + "/" + name)))
                << "seed " << seed << ": " << name;
        }
        closedir(folder);
        EXPECT_EQ(files, 2) << "seed " << seed;
    }
}

// What the file formats allow and the computation handles loads: a ladder capacitance of 0
// (evaluated as 1e-50 F), a stage switched off by an R4 of 1e34 Ohm and a C4 of 1e-25 F (the
// equivalent circuit shows "R3 = ?Ohm"), rated-voltage digits 000, a DF of -1.
TEST(GeneratedDataSets, TheDesignsOwnEdgeCasesLoad) {
    const std::string dir = MakeTempDir("design-cases");
    ASSERT_TRUE(generated::WriteFile(
        dir + "/cap.vorn", "* Part number\tLibrary name\tSerie\tCase size\tCapacitance (uF)\t"
                           "Rated voltage (V)\tLeakage current (uA)\tDF (%)\tESR (mOhms)\r\n"
                           "QCLB227M006R\tQCLB227M006\r\n"
                           "QAKA106K000R\tQAKA106K000\tQAK\tA\t10\t-\t-\t-1\r\n"));
    const auto block = [](const std::string& name, const std::vector<std::string>& elements) {
        std::string text = ".SUBCKT " + name +
                           " 1 9\r\nLesl 1 2 1.8e-009\r\nRels 1 2 10\r\nRp 2 9 2.5e+007\r\n"
                           "Dp 9 2 DFWD\r\n";
        for (const std::string& e : elements)
            text += e + "\r\n";
        const size_t stages = elements.size() / 2;
        for (const char* type : {"CAP", "RES"}) {
            for (size_t k = 1; k <= stages; ++k)
                text += std::string(".MODEL ") + (type[0] == 'C' ? "CMOD" : "RMOD") +
                        std::to_string(k) + " " + type +
                        " (T_MEASURED=25 TC1=1.463615e-003 TC2=-4.147800e-005)\r\n";
        }
        return text + ".ENDS\r\n";
    };
    ASSERT_TRUE(generated::WriteFile(
        dir + "/vorncap.lib",
        block("QCLB227K006", {"R1 2 3 RMOD1 0.015", "C1 3 4 CMOD1 2e-4", "R2 3 4 RMOD2 0.5",
                              "C2 4 5 CMOD2 1e-5", "R3 4 5 RMOD3 0.05", "C3 5 9 CMOD3 5e-5",
                              "R4 5 6 RMOD4 1e34", "C4 6 9 CMOD4 1e-25"}) +
            block("QAKA106K000",
                  {"R1 2 3 RMOD1 10", "C1 2 3 CMOD1 1e-5", "R2 3 4 RMOD2 1", "C2 4 9 CMOD2 0",
                   "R3 4 5 RMOD3 2", "C3 5 9 CMOD3 1e-7", "R4 5 6 RMOD4 3", "C4 6 9 CMOD4 1e-7",
                   "R5 6 7 RMOD5 4", "C5 7 9 CMOD5 1e-7", "R6 7 8 RMOD6 5", "C6 8 9 CMOD6 0"})));
    const std::string data = Zeltacli() + " --data " + Quote(dir) + " ";
    const CliRun check = RunCommandLine(data + "check");
    EXPECT_EQ(check.status, 0) << check.err;
    EXPECT_EQ(check.out, "2 capacitors, 2 models\n");
    const CliRun model = RunCommandLine(data + "model QCLB227M006RNJ");
    EXPECT_NE(model.out.find("R3 = ?Ohm\nC3 = 0F\n"), std::string::npos) << model.out;
    const CliRun text = RunCommandLine(data + "data QAKA106K000RNJ --temperature -55");
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("QAKA106K000RNJ\t10 uF\t0 V\tCase A"), std::string::npos);
    EXPECT_FALSE(HoldsNonFiniteNumber(text.out));
}

} // namespace
