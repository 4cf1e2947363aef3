#include "CliRun.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

// zeltacli under contention: batch runs side by side in one folder, runs killed at random
// moments, and readers that stop reading its output.

namespace {

// A zeltacli run started in the background with its output in files.
struct Child {
    pid_t pid = -1;
    std::string out;
    std::string err;
};

// The children skip the leak check at exit: it costs a tenth of a second per run here and is
// made by every other zeltacli test.
std::vector<std::string> ChildEnvironment() {
    std::vector<std::string> entries;
    for (char** e = environ; *e != nullptr; ++e) {
        if (std::string(*e).rfind("ASAN_OPTIONS=", 0) != 0)
            entries.emplace_back(*e);
    }
    entries.emplace_back("ASAN_OPTIONS=detect_leaks=0");
    return entries;
}

Child Start(const std::vector<std::string>& arguments) {
    static int runNumber = 0;
    Child child;
    const std::string base = TestHome() + "/contention-" + std::to_string(++runNumber);
    child.out = base + ".out";
    child.err = base + ".err";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, child.out.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, child.err.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    std::vector<std::string> words{ZELTACLI_PATH};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    std::vector<std::string> environment = ChildEnvironment();
    std::vector<char*> envp;
    for (std::string& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    EXPECT_EQ(posix_spawn(&child.pid, ZELTACLI_PATH, &actions, nullptr, argv.data(), envp.data()),
              0);
    posix_spawn_file_actions_destroy(&actions);
    return child;
}

// The exit status, or -signal when a signal ended the run.
int Wait(const Child& child) {
    int raw = 0;
    if (waitpid(child.pid, &raw, 0) != child.pid)
        return -1000;
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -WTERMSIG(raw);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// A Touchstone file as a simulator reads it: its header and 301 data lines of nine numbers,
// from 100 Hz to 100 MHz. Empty when it is whole, else what is wrong.
std::string TouchstoneFault(const std::string& text) {
    if (text.empty() || text.back() != '\n')
        return "does not end with a complete line";
    int points = 0;
    double first = 0, last = 0;
    for (const std::string& line : Lines(text)) {
        if (line.empty() || line[0] == '!' || line[0] == '#')
            continue;
        std::istringstream in(line);
        double value[9];
        for (double& v : value)
            in >> v;
        if (in.fail())
            return "data line \"" + line + "\" is cut off";
        if (points++ == 0)
            first = value[0];
        last = value[0];
    }
    if (points != 301 || first != 100.0 || last != 1e8)
        return std::to_string(points) + " points";
    return "";
}

// A netlist is whole when it ends with its ".ENDS" line.
std::string NetlistFault(const std::string& text) {
    const std::vector<std::string> lines = Lines(text);
    if (text.empty() || text.back() != '\n' || lines.empty() || lines.back().rfind(".ENDS", 0) != 0)
        return "does not end with .ENDS";
    return "";
}

// Every file under a final name in `folder` is whole; returns how many there are.
size_t CheckFinalFiles(const std::string& folder) {
    size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name[0] == '.')
            continue; // a temporary file that a killed run left; no reader takes it
        const std::string extension = entry.path().extension().string();
        const std::string text = ReadAll(entry.path().string());
        const std::string fault = extension == ".s2p"   ? TouchstoneFault(text)
                                  : extension == ".lib" ? NetlistFault(text)
                                                        : "is not an output file";
        EXPECT_EQ(fault, "") << name;
        ++count;
    }
    return count;
}

std::vector<std::string> Batch(const std::string& command, const std::string& data,
                               const std::string& folder,
                               const std::vector<std::string>& filters = {}) {
    std::vector<std::string> words{"--data", data, command, "--all", folder};
    words.insert(words.end(), filters.begin(), filters.end());
    return words;
}

// Two, then four, batch runs into one folder at once, again and again: none fails, and every
// file is whole. The runs write the same files, so the last complete one wins each.
TEST(BatchContention, RunsSideBySideInOneFolderAllSucceed) {
    const std::string data = FixturePath("store/good");
    for (const int width : {2, 4}) {
        const std::string folder = MakeTempDir("side-by-side-" + std::to_string(width));
        for (int round = 0; round < 50; ++round) {
            std::vector<Child> children;
            for (int i = 0; i < width; ++i)
                children.push_back(
                    Start(Batch(i % 2 == 0 || width == 2 ? "sparams" : "netlist", data, folder)));
            for (const Child& child : children) {
                const int status = Wait(child);
                ASSERT_EQ(status, 0) << "round " << round << " of " << width << ":\n"
                                     << ReadAll(child.err);
                EXPECT_EQ(ReadAll(child.err), "");
            }
        }
        // Six parts' two Touchstone files (and their netlists), and no temporary file left.
        EXPECT_EQ(CheckFinalFiles(folder), width == 2 ? 12u : 18u);
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            EXPECT_NE(entry.path().filename().string()[0], '.') << entry.path();
    }
}

// Runs killed outright at random moments leave whole files under every final name, and the
// files of earlier runs in place of those they were replacing.
TEST(BatchContention, KilledRunsLeaveOnlyWholeFiles) {
    const std::string data = ZELTA_SOURCE_DIR "/product";
    std::mt19937 random(23);
    for (const char* command : {"sparams", "netlist"}) {
        const std::string folder = MakeTempDir(std::string("killed-") + command);
        const std::vector<std::string> arguments =
            Batch(command, data, folder, {"--series", "QCR"});
        // One whole run first: its length sets the range of the moments, and its files are the
        // earlier ones that the killed runs replace.
        const auto begin = std::chrono::steady_clock::now();
        ASSERT_EQ(Wait(Start(arguments)), 0);
        const auto length = std::chrono::duration_cast<std::chrono::microseconds>(
            std::chrono::steady_clock::now() - begin);
        const size_t whole = CheckFinalFiles(folder);
        ASSERT_GT(whole, 20u);
        for (int kill = 0; kill < 30; ++kill) {
            const Child child = Start(arguments);
            std::this_thread::sleep_for(std::chrono::microseconds(
                std::uniform_int_distribution<long>(0, length.count())(random)));
            ::kill(child.pid, SIGKILL);
            Wait(child);
            EXPECT_EQ(CheckFinalFiles(folder), whole) << command << " killed " << kill;
        }
    }
}

// A reader that stops reading (head) ends zeltacli quietly with status 0; an output that
// cannot be written for another reason stays a failure with its message.
TEST(ClosedPipe, AReaderThatStopsEndsTheOutputQuietly) {
    const std::string cli = Quote(ZELTACLI_PATH) + " --data " + Quote(ZELTA_SOURCE_DIR "/product");
    const std::string status = TestHome() + "/pipe.status";
    const std::string err = TestHome() + "/pipe.err";
    for (const std::string& command :
         {std::string("list | head -1"), std::string("list | head -c 10"),
          std::string("data QCRC107M004R0050 | head -1"), std::string("--help | head -1"),
          std::string("compare QCRC107M004R0050 QCRC157M010R0055 --format csv | head -1"),
          std::string("find --max-impedance 1 --from 1k --to 1M --format csv | head -1"),
          std::string("netlist QCRC107M004R0050 | true"), std::string("list | true")}) {
        const std::size_t bar = command.find('|');
        const std::string line = "{ " + cli + " " + command.substr(0, bar) + " 2>" + Quote(err) +
                                 "; echo $? >" + Quote(status) + "; } " + command.substr(bar) +
                                 " >/dev/null";
        ASSERT_EQ(std::system(line.c_str()), 0) << line;
        EXPECT_EQ(ReadAll(status), "0\n") << command;
        EXPECT_EQ(ReadAll(err), "") << command;
    }
    const int full = std::system(("(" + cli + " list >/dev/full) 2>" + Quote(err)).c_str());
    EXPECT_TRUE(WIFEXITED(full) && WEXITSTATUS(full) == 1) << full;
    EXPECT_NE(ReadAll(err).find("cannot write to standard output: No space left on device"),
              std::string::npos)
        << ReadAll(err);
}

} // namespace
