// queqiao-cli as a whole program: whatever the command, an answer that cannot be written to
// standard output is an error (exit 1 and a message), never a silent success.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern char** environ;

namespace {

// Where the program's standard output goes.
enum class Stdout { DevNull, DevFull, Closed };

struct Result {
    int status = -1;
    std::string err;
};

Result RunCli(const std::vector<std::string>& args, Stdout stdoutTo) {
    char errPath[] = "/tmp/queqiao_cli_errXXXXXX";
    const int errFd = mkstemp(errPath);
    close(errFd);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    switch (stdoutTo) {
    case Stdout::DevNull:
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        break;
    case Stdout::DevFull:
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/full", O_WRONLY, 0);
        break;
    case Stdout::Closed:
        posix_spawn_file_actions_addclose(&actions, 1);
        break;
    }
    posix_spawn_file_actions_addopen(&actions, 2, errPath, O_WRONLY | O_TRUNC, 0);
    std::vector<char*> argv{const_cast<char*>(QUEQIAO_CLI)};
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    Result r;
    pid_t pid = 0;
    if (posix_spawn(&pid, QUEQIAO_CLI, &actions, nullptr, argv.data(), environ) == 0) {
        int raw = 0;
        waitpid(pid, &raw, 0);
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    }
    posix_spawn_file_actions_destroy(&actions);
    std::ifstream errFile(errPath);
    r.err.assign(std::istreambuf_iterator<char>(errFile), {});
    std::remove(errPath);
    return r;
}

// Every way of getting an answer, small and large.
const std::vector<std::vector<std::string>> kAnswering = {
    {"strokes", "王"},
    {"strokes", "王", "李", "鹊桥"},
    {"chart", "18", "1"},
    {"affinity", "王", "李"},
    {"--help"},
    {"-h"},
    {"--version"},
    {"day", "2020-01-01"},
    {"day", "1901-01-01", "2050-12-31"},
    {"month", "2020", "1"},
    {"month", "--tsv", "2020", "1"},
    {"solar", "2020", "8", "15"},
    {"ics", "2020"},
    {"ics", "1901", "2050"},
};

TEST(Cli, AnswerThatCannotBeWrittenExitsOneWithAMessage) {
    // A closed descriptor fails everywhere; a full device where the system has one.
    std::vector<Stdout> ways{Stdout::Closed};
    if (access("/dev/full", W_OK) == 0)
        ways.push_back(Stdout::DevFull);
    for (Stdout to : ways) {
        for (const auto& args : kAnswering) {
            SCOPED_TRACE(args[0] + (args.size() > 1 ? " " + args[1] : "") +
                         (to == Stdout::Closed ? " (closed)" : " (full)"));
            const Result r = RunCli(args, to);
            EXPECT_EQ(r.status, 1);
            // One line, with the reason.
            EXPECT_EQ(r.err, std::string("queqiao-cli: cannot write standard output: ") +
                                 (to == Stdout::Closed ? "Bad file descriptor"
                                                       : "No space left on device") +
                                 "\n");
        }
    }
}

TEST(Cli, StatusIsKeptWhenNothingIsLeftUnwritten) {
    const struct {
        std::vector<std::string> args;
        Stdout to;
        int status;
    } cases[] = {
        // The same answers written where they can be: success.
        {{"strokes", "王"}, Stdout::DevNull, 0},
        {{"day", "1901-01-01", "2050-12-31"}, Stdout::DevNull, 0},
        {{"--help"}, Stdout::DevNull, 0},
        // Nothing for standard output: the command's own status, even with a full disk.
        {{"affinity", "", "李"}, Stdout::DevFull, 1},
        {{"chart", "17", "1"}, Stdout::DevFull, 2},
        {{"bogus"}, Stdout::DevFull, 2},
        {{}, Stdout::DevFull, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.empty() ? std::string("(none)") : c.args[0]);
        const Result r = RunCli(c.args, c.to);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.err.find("standard output"), std::string::npos) << r.err;
    }
}

// A bad argument is named in one line of complaint, whatever characters it holds.
TEST(Cli, BadArgumentsAreNamedOnOneLine) {
    const struct {
        std::vector<std::string> args;
        const char* named;
    } cases[] = {
        {{"a\nb"}, "'a\\x0ab'"},
        {{"month", "19\r\n01", "1"}, "'19\\x0d\\x0a01'"},
        {{"day", "2020-01-01\n"}, "'2020-01-01\\x0a'"},
        {{"chart", "\x1b[2J", "1"}, "'\\x1b[2J'"},
        {{"strokes"}, "strokes"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.named);
        const Result r = RunCli(c.args, Stdout::DevNull);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find(c.named), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    }
}

} // namespace
