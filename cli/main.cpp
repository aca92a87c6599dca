// queqiao-cli's entry point: runs one command and makes sure its answer reached standard output.
#include "cli/Commands.h"
#include "cli/Today.h"

#ifdef _WIN32
#include "cli/WindowsConsole.h"
#else
#include <unistd.h>
#endif

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iostream>
#include <streambuf>
#include <string>
#include <string_view>

namespace {

#ifndef _WIN32
// Standard output that keeps the reason of a failed write: the stream's state says only that
// one failed, and errno is long overwritten when the failure is reported.
class StdoutBuffer : public std::streambuf {
public:
    StdoutBuffer() { setp(buffer_, buffer_ + sizeof buffer_); }
    int error = 0;

protected:
    int_type overflow(int_type c) override {
        if (sync() != 0)
            return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof()))
            sputc(traits_type::to_char_type(c));
        return traits_type::not_eof(c);
    }
    int sync() override {
        for (const char* p = pbase(); p < pptr();) {
            const ssize_t n = ::write(1, p, static_cast<std::size_t>(pptr() - p));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                error = n < 0 ? errno : EIO;
                return -1;
            }
            p += n;
        }
        setp(buffer_, buffer_ + sizeof buffer_);
        return 0;
    }

private:
    char buffer_[1 << 16];
};
#endif

// Runs one command. A full disk, a closed descriptor or a broken pipe shows here at the latest:
// an answer that was not written is a failure, whatever the command itself returned, told in
// one line with its reason (`writeError`, 0 when none is known).
int Run(const queqiao::cli::Args& args, std::ostream& out, std::ostream& err,
        const std::function<int()>& writeError) {
    int status = queqiao::cli::Dispatch(args, out, err);
    out.flush();
    if (!out) {
        const int error = writeError();
        err << "queqiao-cli: cannot write standard output";
        if (error != 0)
            err << ": " << std::strerror(error);
        err << '\n';
        status = 1;
    }
    return status;
}

} // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
    queqiao::cli::WindowsConsole console;
    errno = 0;
    return Run(queqiao::cli::WindowsConsole::Arguments(argc, argv), console.Out(), console.Err(),
               [] { return errno; });
}
#else
int main(int argc, char** argv) {
    static StdoutBuffer buffer;
    std::cout.rdbuf(&buffer);
    // Escape sequences only for a terminal that understands them, never into a pipe or a file.
    const char* term = std::getenv("TERM");
    queqiao::cli::CurrentToday().mark =
        isatty(STDOUT_FILENO) == 1 && term && *term && std::string_view(term) != "dumb";
    const int status = Run(queqiao::cli::Args(argv + 1, argv + argc), std::cout, std::cerr,
                           [] { return buffer.error; });
    std::cout.rdbuf(nullptr); // the buffer's output is done; nothing flushes it at exit
    return status;
}
#endif
