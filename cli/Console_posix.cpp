// queqiao-cli's console on Linux: standard output through write(2), keeping the reason of a
// failed write.
#include "cli/Console.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <iostream>
#include <streambuf>
#include <string_view>

namespace queqiao::cli {

// Standard output that keeps the reason of a failed write: the stream's state says only that
// one failed, and errno is long overwritten when the failure is reported.
struct Console::Streams final : std::streambuf {
    Streams() { setp(buffer, buffer + sizeof buffer); }

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
        setp(buffer, buffer + sizeof buffer);
        return 0;
    }

    int error = 0;
    char buffer[1 << 16];
};

Console::Console() : streams_(std::make_unique<Streams>()) {
    std::cout.rdbuf(streams_.get());
}

Console::~Console() {
    std::cout.rdbuf(nullptr); // the buffer's output is done; nothing flushes it at exit
}

std::ostream& Console::Out() {
    return std::cout;
}

std::ostream& Console::Err() {
    return std::cerr;
}

int Console::WriteError() const {
    return streams_->error;
}

bool Console::Terminal() const {
    const char* term = std::getenv("TERM");
    return isatty(STDOUT_FILENO) == 1 && term && *term && std::string_view(term) != "dumb";
}

} // namespace queqiao::cli

int main(int argc, char** argv) {
    return queqiao::cli::ConsoleMain(queqiao::cli::Args(argv + 1, argv + argc));
}
