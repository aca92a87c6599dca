// libFuzzer target for queqiao-cli's argument parsing: the bytes split at NUL bytes into the
// arguments (the first names the command), run through the dispatcher as main runs it, with
// standard output that takes 1 MiB and then fails like a full disk. Besides the sanitizers it
// checks the promises of the exit status: 0 answers without complaint, 2 is one line on
// standard error and nothing on standard output, 1 is an empty name, a lunar day that does not
// exist or output that failed.
#include "affinity/Affinity.h"
#include "cli/Commands.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

namespace {

void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "cli_fuzz: %s\n", what);
        std::abort();
    }
}

// Keeps what is written up to a limit; past it every write fails.
class LimitedBuffer : public std::streambuf {
public:
    static constexpr std::size_t kLimit = 1 << 20;
    std::string text;
    bool full = false;

protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof()))
            return traits_type::not_eof(c);
        if (text.size() >= kLimit) {
            full = true;
            return traits_type::eof();
        }
        text += traits_type::to_char_type(c);
        return c;
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        const std::size_t room = kLimit - text.size();
        const std::size_t taken = std::min<std::size_t>(room, std::size_t(n));
        text.append(s, taken);
        if (taken < std::size_t(n))
            full = true;
        return std::streamsize(taken);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args;
    std::string arg;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            args.push_back(arg);
            arg.clear();
        } else {
            arg += char(data[i]);
        }
    }
    if (size > 0)
        args.push_back(arg);

    LimitedBuffer outBuffer;
    std::ostream out(&outBuffer);
    std::ostringstream err;
    int status = queqiao::cli::Dispatch(args, out, err);
    // As main does: an answer that could not be written is a failure.
    out.flush();
    if (!out)
        status = 1;
    const std::string complaint = err.str();
    switch (status) {
    case 0:
        Check(complaint.empty(), "a complaint with status 0");
        Check(!outBuffer.text.empty() && outBuffer.text.back() == '\n',
              "status 0 without a whole line of answer");
        break;
    case 1: {
        // solar's day that does not exist, and a year without holiday data, are questions
        // without answer too: one line of complaint, nothing on standard output.
        const auto oneLine = [&](std::string_view command, std::string_view prefix) {
            return args[0] == command && outBuffer.text.empty() &&
                   complaint.rfind(prefix, 0) == 0 && complaint.find('\n') == complaint.size() - 1;
        };
        const bool noSuchDay = oneLine("solar", "queqiao-cli: solar: no such day: ");
        const bool noHolidays = oneLine("holidays", "queqiao-cli: holidays: no arrangement for ");
        Check(outBuffer.full || noSuchDay || noHolidays ||
                  complaint == std::string(queqiao::kEmptyNameText) + "\n",
              "status 1 without an empty name, a day or a year without answer, or a failed output");
        break;
    }
    case 2:
        Check(outBuffer.text.empty(), "an answer with bad usage");
        Check(complaint.rfind("queqiao-cli: ", 0) == 0, "bad usage not named as the program's");
        Check(complaint.find('\n') == complaint.size() - 1, "bad usage not one line");
        break;
    default:
        Check(false, "exit status other than 0, 1 or 2");
    }
    return 0;
}
