#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

// Whole zeltacli processes as a script starts them: exec, dynamic linking, the resource
// library, the load of the shipped data and the command, until the process has ended.

extern char** environ;

namespace {

// Runs zeltacli with `arguments` in the shipped data folder, output to /dev/null; its exit
// status, or -1 when it could not be started.
int RunZeltacli(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    std::string program = ZELTACLI_PATH;
    argv.push_back(program.data());
    std::vector<std::string> copies = arguments;
    for (std::string& a : copies)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int started = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (started != 0)
        return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

void RunProcess(benchmark::State& state, const std::vector<std::string>& arguments) {
    if (RunZeltacli(arguments) != 0) {
        state.SkipWithError("zeltacli failed");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(RunZeltacli(arguments));
}

const std::string kData = std::string(ZELTA_SOURCE_DIR) + "/product";

// Target: 20 ms median.
void BM_ZeltacliCheckProcess(benchmark::State& state) {
    RunProcess(state, {"--data", kData, "check"});
}
BENCHMARK(BM_ZeltacliCheckProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

// Target: 40 ms median. A 20 mOhm rail from 10 kHz to 1 MHz at 85 °C over the whole catalogue.
void BM_ZeltacliFindProcess(benchmark::State& state) {
    RunProcess(state, {"--data", kData, "find", "--max-impedance", "20m", "--from", "10k", "--to",
                       "1M", "--temperature", "85"});
}
BENCHMARK(BM_ZeltacliFindProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
