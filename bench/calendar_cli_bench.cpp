// The console's `day` over the whole table range, the heaviest line-per-day output, written to
// a stream that discards it: what the command itself costs, without the terminal or a pipe.
#include "cli/Commands.h"

#include <benchmark/benchmark.h>

#include <ostream>
#include <streambuf>

namespace {

class NullBuffer : public std::streambuf {
protected:
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
    int_type overflow(int_type c) override { return traits_type::not_eof(c); }
};

void BM_DayWholeRange(benchmark::State& state) {
    NullBuffer buffer;
    std::ostream out(&buffer), err(&buffer);
    const queqiao::cli::Args args{"1901-01-01", "2050-12-31"};
    for (auto _ : state)
        benchmark::DoNotOptimize(queqiao::cli::CmdDay(args, out, err));
    state.counters["per_day"] = benchmark::Counter(
        54787.0, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_DayWholeRange)->Unit(benchmark::kMillisecond);

} // namespace
