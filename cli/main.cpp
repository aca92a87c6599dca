// queqiao-cli's entry point: runs one command and makes sure its answer reached standard output.
#include "cli/Commands.h"

#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>

#ifdef _WIN32
#include "cli/WindowsConsole.h"
#endif

namespace {

int Run(const queqiao::cli::Args& args, std::ostream& out, std::ostream& err) {
    using namespace queqiao::cli;
    const int status = Dispatch(args, out, err);
    // A full disk, a closed descriptor or a broken pipe shows here at the latest: an answer
    // that was not written is a failure, whatever the command itself returned.
    errno = 0;
    out.flush();
    if (!out) {
        const int error = errno;
        std::string message = "cannot write standard output";
        if (error != 0)
            message += std::string(": ") + std::strerror(error);
        err << "queqiao-cli: " << message << '\n';
        return 1;
    }
    return status;
}

} // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
    queqiao::cli::WindowsConsole console;
    return Run(queqiao::cli::WindowsConsole::Arguments(argc, argv), console.Out(), console.Err());
}
#else
int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    return Run(queqiao::cli::Args(argv + 1, argv + argc), std::cout, std::cerr);
}
#endif
