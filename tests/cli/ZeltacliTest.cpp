#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include <sys/wait.h>

namespace {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Quote(const std::string& word) {
    return "'" + word + "'";
}

// Runs the built zeltacli with `arguments` (already quoted) in `folder`.
CliRun RunCli(const std::string& arguments, const std::string& folder = ".") {
    static int runNumber = 0;
    const std::string base = TestHome() + "/cli-run-" + std::to_string(++runNumber);
    const std::string command = "cd " + Quote(folder) + " && " + Quote(ZELTACLI_PATH) + " " +
                                arguments + " >" + Quote(base + ".out") + " 2>" +
                                Quote(base + ".err");
    const int raw = std::system(command.c_str());
    const int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return {status, ReadAll(base + ".out"), ReadAll(base + ".err")};
}

TEST(Zeltacli, CheckCountsCapacitorsAndModels) {
    const std::string good = FixturePath("store/good");
    for (const std::string& arguments :
         {"--data " + Quote(good) + " check", "check --data " + Quote(good),
          "--data=" + Quote(good + "/") + " check"}) {
        const CliRun run = RunCli(arguments);
        EXPECT_EQ(run.status, 0) << arguments << "\n" << run.err;
        EXPECT_EQ(run.out, "6 capacitors, 5 models\n") << arguments;
        EXPECT_EQ(run.err, "");
    }
    // Without --data the current folder is the data folder.
    const CliRun here = RunCli("check", good);
    EXPECT_EQ(here.status, 0) << here.err;
    EXPECT_EQ(here.out, "6 capacitors, 5 models\n");
}

TEST(Zeltacli, CheckPrintsTheLoadersMessageAndFails) {
    const std::string broken = FixturePath("store/broken");
    const CliRun run = RunCli("--data " + Quote(broken) + " check");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "Library " + broken +
                           "/vorncap.lib does not contain model for capacitor QAKB475*016RNJ\n");

    const std::string empty = MakeTempDir("cli-empty");
    const CliRun missing = RunCli("check", empty);
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "Cannot open file " + empty + "/cap.vorn\n");
}

TEST(Zeltacli, RefusesWrongCommandLinesWithUsage) {
    const std::string good = Quote(FixturePath("store/good"));
    for (const std::string& arguments :
         {std::string(""), std::string("frobnicate"), std::string("--frobnicate check"),
          "--data " + good + " check extra", std::string("check --data")}) {
        const CliRun run = RunCli(arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_EQ(run.out, "") << arguments;
        EXPECT_NE(run.err.find("usage: zeltacli [--data DIR] COMMAND"), std::string::npos)
            << arguments << "\n"
            << run.err;
    }
    const CliRun help = RunCli("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("check"), std::string::npos);
}

} // namespace
