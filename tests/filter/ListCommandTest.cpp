#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace {

struct CliResult {
    int status = -1;
    std::string out;
};

// Runs zeltacli on the filter fixture folder with `arguments` (already shell-quoted);
// standard error is folded into the output after the standard output.
CliResult RunList(const std::string& arguments) {
    const std::string command = std::string("'") + ZELTACLI_PATH + "' --data '" +
                                FixturePath("filter") + "' list " + arguments + " 2>&1";
    CliResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return result;
    std::array<char, 4096> buffer;
    size_t got;
    while ((got = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        result.out.append(buffer.data(), got);
    const int raw = pclose(pipe);
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return result;
}

TEST(ZeltacliList, PrintsRowsThenEveryListWithItsChoiceMarked) {
    CliResult r = RunList("--technology Polymer --esr 40");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out, "QCMD227M006R0040\t220 \xC2\xB5"
                     "F\t6.3 V\tD\n"
                     "\ntechnology:\n  All\n  Tantalum\n  Niobium Oxide\n* Polymer\n"
                     "  Wet Tantalum QCN\n  Ostrel QCR\n  QAW 200\xC2\xB0"
                     "C\n  Conformal\n"
                     "\ncapacitance:\n* All\n  220\n"
                     "\nvoltage:\n* All\n  6.3\n"
                     "\ncase:\n* All\n  D\n"
                     "\nseries:\n* All\n  QCL\n  QCM\n"
                     "\ntolerance:\n* All\n  10%\n  20%\n"
                     "\nesr:\n  All\n* 40\n  50\n");
}

TEST(ZeltacliList, OptionsNarrowLikeTheDialog) {
    const struct {
        const char* arguments;
        const char* rows; // the part numbers, one per line
    } cases[] = {
        // The dialog starts on Tantalum: no polymer, conformal or 200 °C part.
        {"", "QAKA106K006RNJ\nQAKB106M016RNJ\nQAKB475K025RNJ\nQAWD106K016RJN\n"},
        {"--technology 6", "QAWC106K016RJH\n"},
        {"--technology=Conformal --case 'R QCT'", "QCT1C106MRA\n"},
        {"--capacitance 10.0 --voltage 16 --tolerance 20%", "QAKB106M016RNJ\n"},
        {"--technology All --series QAW", "QAWC106K016RJH\nQAWD106K016RJN\n"},
    };
    for (const auto& c : cases) {
        CliResult r = RunList(c.arguments);
        ASSERT_EQ(r.status, 0) << c.arguments << "\n" << r.out;
        std::string parts;
        for (size_t at = 0; at < r.out.size() && r.out[at] != '\n';) {
            size_t tab = r.out.find('\t', at);
            parts += r.out.substr(at, tab - at) + "\n";
            at = r.out.find('\n', at) + 1;
        }
        EXPECT_EQ(parts, c.rows) << c.arguments;
    }
    CliResult conformal = RunList("--technology Conformal");
    EXPECT_NE(conformal.out.find("QCT1C106MRA\t10 \xC2\xB5"
                                 "F\t16 V\tR QCT\n"),
              std::string::npos)
        << conformal.out;
}

TEST(ZeltacliList, WrongChoicesFailClearly) {
    CliResult notOffered = RunList("--technology Polymer --capacitance 1");
    EXPECT_EQ(notOffered.status, 1);
    EXPECT_EQ(notOffered.out,
              "The capacitance list does not offer \"1\"; it offers \"All\", \"100\", \"220\"\n");

    EXPECT_EQ(RunList("--technology Ceramic").status, 1);
    EXPECT_EQ(RunList("--tolerance 5%").status, 1);
    EXPECT_EQ(RunList("--colour red").status, 2);
    EXPECT_EQ(RunList("--series").status, 2);
    EXPECT_EQ(RunList("--series QAK --series QAW").status, 2);
}

} // namespace
