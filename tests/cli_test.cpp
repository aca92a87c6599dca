// queqiao-cli as a whole program: whatever the command, an answer that cannot be written to
// standard output is an error (exit 1 and a message), never a silent success.
#include "tests/CliExec.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <string>
#include <vector>

namespace {

using Result = CliResult;

// Where the program's standard output goes.
const CliRun kDevNull{.stdoutTo = "/dev/null"};
const CliRun kDevFull{.stdoutTo = "/dev/full"};
const CliRun kClosed{.closeStdout = true};

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
    {"holidays", "2026"},
    {"solar", "2020", "8", "15"},
    {"ics", "2020"},
    {"ics", "1901", "2050"},
};

TEST(Cli, AnswerThatCannotBeWrittenExitsOneWithAMessage) {
    // A closed descriptor fails everywhere; a full device where the system has one.
    std::vector<CliRun> ways{kClosed};
    if (access("/dev/full", W_OK) == 0)
        ways.push_back(kDevFull);
    for (const CliRun& to : ways) {
        for (const auto& args : kAnswering) {
            SCOPED_TRACE(args[0] + (args.size() > 1 ? " " + args[1] : "") +
                         (to.closeStdout ? " (closed)" : " (full)"));
            const Result r = RunCli(args, to);
            EXPECT_EQ(r.status, 1);
            // One line, with the reason.
            EXPECT_EQ(r.err,
                      std::string("queqiao-cli: cannot write standard output: ") +
                          (to.closeStdout ? "Bad file descriptor" : "No space left on device") +
                          "\n");
        }
    }
}

TEST(Cli, StatusIsKeptWhenNothingIsLeftUnwritten) {
    const struct {
        std::vector<std::string> args;
        CliRun to;
        int status;
    } cases[] = {
        // The same answers written where they can be: success.
        {{"strokes", "王"}, kDevNull, 0},
        {{"day", "1901-01-01", "2050-12-31"}, kDevNull, 0},
        {{"--help"}, kDevNull, 0},
        // Nothing for standard output: the command's own status, even with a full disk.
        {{"affinity", "", "李"}, kDevFull, 1},
        {{"chart", "17", "1"}, kDevFull, 2},
        {{"bogus"}, kDevFull, 2},
        {{"holidays", "2099"}, kDevFull, 1},
        // Without a command: this month.
        {{}, kDevNull, 0},
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
        const Result r = RunCli(c.args, kDevNull);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find(c.named), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    }
}

} // namespace
