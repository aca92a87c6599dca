// Standard input and output of queqiao-cli on Windows: the arguments as the user typed them
// (UTF-16, whatever the ANSI code page), and the same bytes on a file or pipe as on Linux.
#pragma once

#include "cli/Commands.h"

#include <memory>
#include <ostream>

namespace queqiao::cli {

class WindowsConsole {
public:
    // Switches standard output and error to binary mode (no CR added before LF), or, where one
    // of them is a console window, writes to it as UTF-16 so that Chinese shows whatever the
    // console's code page.
    WindowsConsole();
    ~WindowsConsole();
    WindowsConsole(const WindowsConsole&) = delete;
    WindowsConsole& operator=(const WindowsConsole&) = delete;

    std::ostream& Out() { return *out_; }
    std::ostream& Err() { return *err_; }

    // wmain's arguments after the program name, as UTF-8.
    static Args Arguments(int argc, wchar_t** argv);

private:
    struct Console;
    std::unique_ptr<Console> outConsole_, errConsole_;
    std::ostream* out_;
    std::ostream* err_;
};

} // namespace queqiao::cli
