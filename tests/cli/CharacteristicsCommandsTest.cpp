#include "CliRun.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>

// zeltacli data and sparams, run as a user would on the fixture data folder.

namespace {

CliRun RunZeltacli(const std::string& arguments) {
    return RunCommandLine(Quote(ZELTACLI_PATH) + " --data " + Quote(FixturePath("store/good")) +
                          " " + arguments);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

TEST(DataCommand, PrintsTheDataTextAtTheGivenConditions) {
    const CliRun run =
        RunZeltacli("data QAKA106K010RNJ --temperature 85 --dcl-voltage 50 --dcl-temperature=85");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 638u);
    EXPECT_EQ(lines[1], "Frequency response parameters: T=85 °C");
    EXPECT_EQ(lines[2], "DCL parameters: Vr=5 V T=85 °C");
    EXPECT_EQ(lines[4], "QAKA106K010RNJ\t10 uF\t10 V\tCase A");
    EXPECT_EQ(lines[7].rfind("1.000000e+02\t", 0), 0u);
    EXPECT_EQ(lines[608], "Time [s]\tDCL [nA]");
    EXPECT_EQ(lines[609].rfind("20\t", 0), 0u);
}

TEST(DataCommand, TemperatureIsLimitedAsChoosingThePartWould) {
    const struct {
        const char* arguments;
        const char* line;
    } cases[] = {
        {"data QAKA106K010RNJ", "Frequency response parameters: T=25 °C"},
        {"data QAKA106K010RNJ --temperature 37.5", "Frequency response parameters: T=37.5 °C"},
        {"data QAKA106K010RNJ --temperature 300", "Frequency response parameters: T=125 °C"},
        {"data QCLB227M006RNJ --temperature 125", "Frequency response parameters: T=105 °C"},
        {"data QCRD107M010RNJ --temperature=200", "Frequency response parameters: T=105 °C"},
        {"data QAKA106K010RNJ --temperature -55", "Frequency response parameters: T=-55 °C"},
    };
    for (const auto& c : cases) {
        const CliRun run = RunZeltacli(c.arguments);
        ASSERT_EQ(run.status, 0) << c.arguments << "\n" << run.err;
        const std::vector<std::string> lines = Lines(run.out);
        ASSERT_GT(lines.size(), 1u) << c.arguments;
        EXPECT_EQ(lines[1], c.line) << c.arguments;
    }
}

TEST(DataCommand, RejectsValuesOutsideTheOfferedRows) {
    const struct {
        const char* arguments;
        const char* message;
    } cases[] = {
        {"data QAKA106K010RNJ --dcl-voltage 75", "--dcl-voltage takes 100, 80, 50, 30 or 20"},
        {"data QAKA106K010RNJ --dcl-voltage ''", "--dcl-voltage takes"},
        {"data QAKA106K010RNJ --dcl-temperature 175",
         "--dcl-temperature takes -55, 0, 25, 85, 105, 125 for QAKA106K010RNJ"},
        {"data QAKA106K010RNJ --dcl-temperature 85.5", "--dcl-temperature takes"},
        {"data QAKA106K010RNJ --temperature warm", "--temperature takes degrees Celsius"},
        {"data QAKA106K010RNJ --temperature nan", "--temperature takes degrees Celsius"},
        {"data QAKA106K010RNJ --temperature -56", "--temperature cannot be below -55"},
        {"data QXXA106K010R", "Capacitor QXXA106K010R is not in the catalogue"},
    };
    for (const auto& c : cases) {
        const CliRun run = RunZeltacli(c.arguments);
        EXPECT_EQ(run.status, 1) << c.arguments;
        EXPECT_TRUE(run.out.empty()) << c.arguments;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.arguments << "\n" << run.err;
    }
}

TEST(SparamsCommand, WritesBothFiles) {
    const std::string folder = MakeTempDir("sparams");
    const CliRun run = RunZeltacli("sparams QCRD107M010RNJ " + Quote(folder));
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> series = Lines(ReadAll(folder + "/QCRD107M010RNJser.s2p"));
    const std::vector<std::string> shunt = Lines(ReadAll(folder + "/QCRD107M010RNJshu.s2p"));
    ASSERT_EQ(series.size(), 311u);
    ASSERT_EQ(shunt.size(), 310u);
    EXPECT_EQ(series[0], "! 2-port SERIES S-parameters, freq. 100Hz-100MHz");
    EXPECT_EQ(shunt.back().rfind("100000000.00 ", 0), 0u);
}

TEST(SparamsCommand, MissingFolderFailsWithTheProgramsMessage) {
    const std::string folder = MakeTempDir("sparams-missing") + "/absent";
    const CliRun run = RunZeltacli("sparams QCRD107M010RNJ " + Quote(folder));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Cannot open file " + folder + "/QCRD107M010RNJser.s2p\n");
    EXPECT_EQ(RunZeltacli("sparams QCRD107M010RNJ").status, 2); // no folder: usage
}

} // namespace
