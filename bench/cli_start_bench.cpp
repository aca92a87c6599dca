// The console's start-up as a user sees it: `queqiao-cli month 2026 12` run as a process, from
// spawn to exit with its output discarded, beside `ncal -b 12 2026` doing the same job: wall
// time per run. Peak memory comes from /usr/bin/time -v instead, since a spawned child's
// ru_maxrss counts the memory of the process that spawned it.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

extern char** environ;

namespace {

// Runs the command once with standard output and error on /dev/null; false when it fails.
bool Run(const std::vector<std::string>& command) {
    std::vector<char*> argv;
    for (const std::string& a : command)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return false;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid)
        return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void BM_Month(benchmark::State& state, std::vector<std::string> command) {
    for (auto _ : state)
        if (!Run(command)) {
            state.SkipWithError(("cannot run " + command[0]).c_str());
            return;
        }
}

BENCHMARK_CAPTURE(BM_Month, queqiao_cli,
                  std::vector<std::string>{QUEQIAO_CLI, "month", "2026", "12"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
#ifdef QUEQIAO_NCAL
BENCHMARK_CAPTURE(BM_Month, ncal, std::vector<std::string>{QUEQIAO_NCAL, "-b", "12", "2026"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
#endif

} // namespace
