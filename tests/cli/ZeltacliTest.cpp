#include "CliRun.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>

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
    const CliRun missing = RunCli("--data " + Quote(empty) + " check");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "Cannot open file " + empty + "/cap.vorn\n");
}

// Without --data the data is found as the program finds it: the current folder first, then
// ../share/zeltaiii beside the program, then the XDG data folders; a miss names every place.
TEST(Zeltacli, FindsTheInstalledDataWithoutDataFolder) {
    const std::string good = FixturePath("store/good");
    const std::string home = MakeTempDir("cli-xdg-home");
    const std::string system = MakeTempDir("cli-xdg-dirs");
    const std::string empty = MakeTempDir("cli-no-data");
    std::filesystem::create_directories(system + "/zeltaiii");
    CopyInto(good + "/cap.vorn", system + "/zeltaiii");
    CopyInto(good + "/vorncap.lib", system + "/zeltaiii");
    const std::string xdg =
        "env XDG_DATA_HOME=" + Quote(home) + " XDG_DATA_DIRS=" + Quote("/nonexistent:" + system);

    const CliRun installed = RunProgram(ZELTACLI_PATH, "check", empty, xdg);
    EXPECT_EQ(installed.status, 0) << installed.err;
    EXPECT_EQ(installed.out, "6 capacitors, 5 models\n");
    // The current folder wins over the installed data.
    const CliRun current = RunProgram(ZELTACLI_PATH, "check", FixturePath("store/broken"), xdg);
    EXPECT_EQ(current.status, 1);

    const std::string nowhere = "env XDG_DATA_HOME=" + Quote(home) + " XDG_DATA_DIRS=/nonexistent";
    const CliRun missing = RunProgram(ZELTACLI_PATH, "check", empty, nowhere);
    EXPECT_EQ(missing.status, 1);
    const std::string program = std::filesystem::path(ZELTACLI_PATH).parent_path().string();
    EXPECT_EQ(
        missing.err,
        "Cannot open file " + empty + "/cap.vorn\nThe data files were looked for in:\n  " + empty +
            "/cap.vorn\n  " +
            (std::filesystem::path(program).parent_path() / "share/zeltaiii/cap.vorn").string() +
            "\n  " + home + "/zeltaiii/cap.vorn\n  /nonexistent/zeltaiii/cap.vorn\n");
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
    const CliRun version = RunCli("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "zeltacli 2.0\n");
    // An empty --data is a slip, not the current folder.
    for (const std::string& arguments :
         {std::string("--data= check"), std::string("--data '' check")}) {
        const CliRun run = RunCli(arguments, FixturePath("store/good"));
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_NE(run.err.find("--data needs a folder"), std::string::npos) << run.err;
    }
}

// Runs a shell command line; only the status and standard error are kept.
CliRun RunShell(const std::string& commandLine) {
    const std::string err = TestHome() + "/cli-shell.err";
    const int raw = std::system(("(" + commandLine + ") 2>" + Quote(err)).c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, "", ReadAll(err)};
}

TEST(Zeltacli, FailsWhenItsOutputCannotBeWritten) {
    const std::string cli = Quote(ZELTACLI_PATH) + " --data " + Quote(FixturePath("store/good"));
    for (const char* command :
         {"check", "model QAKA106K010RNJ", "list", "data QAKA106K010RNJ", "--help", "--version"}) {
        // A full disk, and a standard output that is closed.
        for (const char* redirection : {" >/dev/full", " >&-"}) {
            const CliRun run = RunShell(cli + " " + command + redirection);
            EXPECT_EQ(run.status, 1) << command << redirection;
            EXPECT_NE(run.err.find("cannot write to standard output"), std::string::npos)
                << command << redirection << ": " << run.err;
        }
    }
}

TEST(Zeltacli, RefusesAPartNumberThatWouldLeaveTheOutputFolder) {
    const std::string data = MakeTempDir("cli-escape");
    CopyInto(FixturePath("store/good/vorncap.lib"), data);
    std::ofstream(data + "/cap.vorn", std::ios::binary)
        << std::ifstream(FixturePath("store/good/cap.vorn"), std::ios::binary).rdbuf()
        << "../A106K016R\tQAKA106K010\tQAK\tA\t10\t16\t1.6\t6\t3000\r\n";
    const std::string out = MakeTempDir("cli-escape-out") + "/inner";
    std::filesystem::create_directory(out);
    const CliRun run = RunCli("--data " + Quote(data) + " sparams ../A106K016RNJ " + Quote(out));
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_NE(run.err.find("would name a file outside " + out), std::string::npos) << run.err;
    EXPECT_TRUE(std::filesystem::is_empty(std::filesystem::path(out).parent_path() / "inner"));
    EXPECT_FALSE(std::filesystem::exists(out + "/../A106K016RNJser.s2p"));
}

// Touchstone files and the data text are the same bytes in every locale: the C form of
// numbers, which is also the form the command line's numbers take.
TEST(Zeltacli, WritesTheSameFilesUnderAGermanLocale) {
    const std::string locales = GenerateGermanLocale();
    if (locales.empty())
        GTEST_SKIP() << "localedef (Debian package locales) is not installed";
    const std::string german = "env LOCPATH=" + Quote(locales) + " LC_ALL=de_DE.UTF-8";
    // The locale is really in force: the C library's own printf writes a decimal comma.
    EXPECT_EQ(RunProgram("/usr/bin/printf", "%.1f 1.5", ".", german).out, "1,5");

    const std::string data = Quote(FixturePath("store/good"));
    const std::string arguments = "--data " + data + " data QCRD107M010RNJ --temperature 12.5";
    const CliRun reference = RunProgram(ZELTACLI_PATH, arguments, ".", "env LC_ALL=C");
    const CliRun localised = RunProgram(ZELTACLI_PATH, arguments, ".", german);
    ASSERT_EQ(reference.status, 0) << reference.err;
    EXPECT_EQ(localised.status, 0) << localised.err;
    EXPECT_NE(reference.out.find("T=12.5 °C"), std::string::npos);
    EXPECT_TRUE(localised.out == reference.out) << localised.out.substr(0, 400);
    // "12,5" is no number on the command line, in any locale.
    EXPECT_EQ(RunProgram(ZELTACLI_PATH,
                         "--data " + data + " data QCRD107M010RNJ --temperature 12,5", ".", german)
                  .status,
              1);

    const std::string cFolder = MakeTempDir("cli-locale-c");
    const std::string deFolder = MakeTempDir("cli-locale-de");
    for (const auto& [folder, environment] :
         {std::pair{cFolder, std::string("env LC_ALL=C")}, std::pair{deFolder, german}}) {
        const CliRun run =
            RunProgram(ZELTACLI_PATH, "--data " + data + " sparams QAKA106K010RNJ " + Quote(folder),
                       ".", environment);
        ASSERT_EQ(run.status, 0) << run.err;
    }
    for (const char* file : {"/QAKA106K010RNJser.s2p", "/QAKA106K010RNJshu.s2p"}) {
        const std::string c = ReadAll(cFolder + file);
        EXPECT_NE(c.find("\n100.00 "), std::string::npos) << file;
        EXPECT_TRUE(ReadAll(deFolder + file) == c) << file;
    }
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
    EXPECT_EQ(beside.err.substr(0, beside.err.find('\n') + 1),
              "Cannot open file " + paired + "/cap.vorn\n");
}

} // namespace
