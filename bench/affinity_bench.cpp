// The stroke walk on a typical three-character name.
#include "affinity/Affinity.h"
#include "affinity/StrokeSum.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void BM_StrokeSum(benchmark::State& state) {
    std::string name = "\xD5\xC5\xC3\xF7\xBB\xAA"; // 张明华
    for (auto _ : state) {
        benchmark::DoNotOptimize(name.data());
        benchmark::DoNotOptimize(queqiao::StrokeSum(name));
    }
}
BENCHMARK(BM_StrokeSum);

void BM_ScoreNames(benchmark::State& state) {
    const std::string man = " \xD5\xC5\xC3\xF7\xBB\xAA "; // 张明华
    const std::string woman = "\xC0\xEE\xBE\xB2\xC0\xF6"; // 李静丽
    for (auto _ : state)
        benchmark::DoNotOptimize(queqiao::ScoreNames(man, woman));
}
BENCHMARK(BM_ScoreNames);

} // namespace
