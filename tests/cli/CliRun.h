#pragma once

#include "TestEnvironment.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include <sys/wait.h>

// Running a program as a user runs it from a shell, for the zeltacli tests.

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

inline std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline std::string Quote(const std::string& word) {
    return "'" + word + "'";
}

// Runs `command` (a shell command line) with its standard output and error caught in files
// under the test's home.
inline CliRun RunCommandLine(const std::string& command) {
    static int runNumber = 0;
    const std::string base = TestHome() + "/cli-run-" + std::to_string(++runNumber);
    const int raw =
        std::system((command + " >" + Quote(base + ".out") + " 2>" + Quote(base + ".err")).c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadAll(base + ".out"), ReadAll(base + ".err")};
}
