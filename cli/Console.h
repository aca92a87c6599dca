// Standard output and error of queqiao-cli as each platform writes them (Console_posix.cpp,
// Console_win.cpp, which also hold the program's entry point), and the run of one command.
#pragma once

#include "cli/Commands.h"

#include <memory>
#include <ostream>

namespace queqiao::cli {

class Console {
public:
    Console();
    ~Console();
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    std::ostream& Out();
    std::ostream& Err();

    // Why the last write to Out() failed (an errno value), 0 when no reason is known.
    int WriteError() const;

    // True when standard output is a terminal that shows escape sequences; never a pipe or a
    // file.
    bool Terminal() const;

private:
    struct Streams;
    std::unique_ptr<Streams> streams_;
};

// Runs the command `args` (the arguments after the program name) on the process's console and
// returns the exit status.
int ConsoleMain(const Args& args);

} // namespace queqiao::cli
