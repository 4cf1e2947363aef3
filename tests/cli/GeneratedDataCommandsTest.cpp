#include "CliRun.h"
#include "TestEnvironment.h"
#include "ValidDataSets.h"

#include <gtest/gtest.h>

#include <dirent.h>

#include <filesystem>
#include <fstream>
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

bool WriteText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    return static_cast<bool>(out);
}

std::string DataSetFolder(int seed) {
    static const std::string root = MakeTempDir("generated-sets");
    return root + "/seed-" + std::to_string(seed);
}

valid::DataSet WriteDataSet(int seed) {
    const valid::DataSet set = valid::GenerateDataSet(static_cast<std::uint64_t>(seed));
    const std::string dir = DataSetFolder(seed);
    std::filesystem::create_directories(dir);
    EXPECT_TRUE(WriteText(dir + "/cap.vorn", set.catalogue));
    EXPECT_TRUE(WriteText(dir + "/vorncap.lib", set.library));
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

} // namespace
