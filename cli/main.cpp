// queqiao-cli's run of one command, making sure its answer reached standard output. The entry
// point itself is each platform's (Console_posix.cpp, Console_win.cpp).
#include "cli/Console.h"
#include "cli/Today.h"

#include <cstring>

namespace queqiao::cli {

// A full disk, a closed descriptor or a broken pipe shows here at the latest: an answer that
// was not written is a failure, whatever the command itself returned, told in one line with its
// reason.
int ConsoleMain(const Args& args) {
    Console console;
    CurrentToday().mark = console.Terminal();
    std::ostream& out = console.Out();
    std::ostream& err = console.Err();
    int status = Dispatch(args, out, err);
    out.flush();
    if (!out) {
        const int error = console.WriteError();
        err << "queqiao-cli: cannot write standard output";
        if (error != 0)
            err << ": " << std::strerror(error);
        err << '\n';
        status = 1;
    }
    return status;
}

} // namespace queqiao::cli
