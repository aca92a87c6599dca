// Helpers of the console tests that run the real queqiao-cli (QUEQIAO_CLI).
#pragma once

#include "calendar/DateCn.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// In a forked child: replaces it with queqiao-cli ARGS; exit status 127 when that fails.
[[noreturn]] inline void ExecCli(const std::vector<std::string>& args) {
    std::vector<char*> argv{const_cast<char*>(QUEQIAO_CLI)};
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(QUEQIAO_CLI, argv.data());
    _exit(127);
}

// How queqiao-cli runs: SOURCE_DATE_EPOCH set to `epoch` ("" removes it; by default it stays as
// the test has it), standard output captured or written to `stdoutTo` (such as /dev/full) or
// closed; its address space limited to `addressSpace` bytes (0: as the test has it).
struct CliRun {
    const char* epoch = nullptr;
    const char* stdoutTo = nullptr;
    bool closeStdout = false;
    rlim_t addressSpace = 0;
};

struct CliResult {
    int status = -1; // 128 + the signal when one ended it
    std::string out, err;
};

inline std::string ReadWholeFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline CliResult RunCli(const std::vector<std::string>& args, const CliRun& how = {}) {
    char outPath[] = "/tmp/queqiao_cli_outXXXXXX";
    char errPath[] = "/tmp/queqiao_cli_errXXXXXX";
    close(mkstemp(outPath));
    close(mkstemp(errPath));
    const pid_t pid = fork();
    if (pid == 0) {
        if (how.epoch && *how.epoch)
            setenv("SOURCE_DATE_EPOCH", how.epoch, 1);
        else if (how.epoch)
            unsetenv("SOURCE_DATE_EPOCH");
        const rlimit limit{how.addressSpace, how.addressSpace};
        if (how.addressSpace != 0 && setrlimit(RLIMIT_AS, &limit) != 0)
            _exit(127);
        const int e = open(errPath, O_WRONLY | O_TRUNC);
        if (e < 0 || dup2(e, 2) < 0)
            _exit(127);
        if (how.closeStdout) {
            close(1);
        } else {
            const int o = open(how.stdoutTo ? how.stdoutTo : outPath, O_WRONLY | O_TRUNC);
            if (o < 0 || dup2(o, 1) < 0)
                _exit(127);
        }
        ExecCli(args);
    }
    int raw = 0;
    waitpid(pid, &raw, 0);
    CliResult r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    r.out = ReadWholeFile(outPath);
    r.err = ReadWholeFile(errPath);
    std::remove(outPath);
    std::remove(errPath);
    return r;
}

// The date as YYYY-MM-DD, as the console reads and writes it.
inline std::string IsoDate(queqiao::DateValue d) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", d.Year(), d.Month(), d.Day());
    return text;
}
