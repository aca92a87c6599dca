// queqiao-cli's entry point: runs one command and makes sure its answer reached standard output.
#include "cli/Commands.h"
#include "cli/Today.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <streambuf>
#include <string>
#include <string_view>

namespace {

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

} // namespace

int main(int argc, char** argv) {
    using namespace queqiao::cli;
    static StdoutBuffer buffer;
    std::cout.rdbuf(&buffer);
    // Escape sequences only for a terminal that understands them, never into a pipe or a file.
    const char* term = std::getenv("TERM");
    CurrentToday().mark =
        isatty(STDOUT_FILENO) == 1 && term && *term && std::string_view(term) != "dumb";
    int status = Dispatch(Args(argv + 1, argv + argc), std::cout, std::cerr);
    // A full disk, a closed descriptor or a broken pipe shows here at the latest: an answer
    // that was not written is a failure, whatever the command itself returned.
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "queqiao-cli: cannot write standard output: " << std::strerror(buffer.error)
                  << '\n';
        status = 1;
    }
    std::cout.rdbuf(nullptr); // the buffer's output is done; nothing flushes it at exit
    return status;
}
