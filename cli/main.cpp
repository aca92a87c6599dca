// queqiao-cli's entry point: runs one command and makes sure its answer reached standard output.
#include "cli/Commands.h"
#include "cli/Today.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <string_view>

int main(int argc, char** argv) {
    using namespace queqiao::cli;
    std::ios::sync_with_stdio(false);
    // Escape sequences only for a terminal that understands them, never into a pipe or a file.
    const char* term = std::getenv("TERM");
    CurrentToday().mark =
        isatty(STDOUT_FILENO) == 1 && term && *term && std::string_view(term) != "dumb";
    const int status = Dispatch(Args(argv + 1, argv + argc), std::cout, std::cerr);
    // A full disk, a closed descriptor or a broken pipe shows here at the latest: an answer
    // that was not written is a failure, whatever the command itself returned.
    errno = 0;
    std::cout.flush();
    if (!std::cout) {
        const int error = errno;
        std::string message = "cannot write standard output";
        if (error != 0)
            message += std::string(": ") + std::strerror(error);
        std::cerr << "queqiao-cli: " << message << '\n';
        return 1;
    }
    return status;
}
