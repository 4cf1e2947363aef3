#include "CliRun.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <sys/wait.h>

namespace {

// Runs `program` with `arguments` (already quoted) in `folder`, under `environment` (an
// `env` prefix, or empty for the test's own environment).
CliRun RunProgram(const std::string& program, const std::string& arguments,
                  const std::string& folder, const std::string& environment) {
    return RunCommandLine("cd " + Quote(folder) + " && " + environment + " " + Quote(program) +
                          " " + arguments);
}

// Runs the built zeltacli with `arguments` (already quoted) in `folder`.
CliRun RunCli(const std::string& arguments, const std::string& folder = ".") {
    return RunProgram(ZELTACLI_PATH, arguments, folder, "");
}

std::string CopyInto(const std::string& file, const std::string& folder) {
    const std::filesystem::path target =
        std::filesystem::path(folder) / std::filesystem::path(file).filename();
    std::filesystem::copy_file(file, target);
    return target.string();
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

// The program's messages come from libZeltaIII.so, found next to zeltacli first and then by
// the system's search; without it zeltacli says so and fails instead of printing empty texts.
TEST(Zeltacli, TakesItsMessagesFromTheResourceLibrary) {
    const std::string good = Quote(FixturePath("store/good"));
    const std::string libraryFolder = std::filesystem::path(ZELTA_LIBRARY_PATH).parent_path();

    const std::string alone = MakeTempDir("cli-alone");
    const std::string lonely = CopyInto(ZELTACLI_PATH, alone);
    const CliRun missing =
        RunProgram(lonely, "--data " + good + " check", alone, "env -u LD_LIBRARY_PATH");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err, "Unable to load library libZeltaIII.so\n");
    // The command line's own texts need no library.
    const CliRun help = RunProgram(lonely, "--help", alone, "env -u LD_LIBRARY_PATH");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("usage: zeltacli"), std::string::npos);

    // Found by the system's search...
    const CliRun searched = RunProgram(lonely, "--data " + good + " check", alone,
                                       "env LD_LIBRARY_PATH=" + Quote(libraryFolder));
    EXPECT_EQ(searched.status, 0) << searched.err;
    EXPECT_EQ(searched.out, "6 capacitors, 5 models\n");

    // ...and next to the program, where a loader message reads as the program's.
    const std::string paired = MakeTempDir("cli-paired");
    const std::string withLibrary = CopyInto(ZELTACLI_PATH, paired);
    CopyInto(ZELTA_LIBRARY_PATH, paired);
    const CliRun beside = RunProgram(withLibrary, "check", paired, "env -u LD_LIBRARY_PATH");
    EXPECT_EQ(beside.status, 1);
    EXPECT_EQ(beside.err, "Cannot open file " + paired + "/cap.vorn\n");
}

} // namespace
