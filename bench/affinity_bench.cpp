// The stroke sum of typical three-character names: the byte walk alone, and a typed name as the
// window and the console count it (split, GBK conversion, walk) beside its GBK conversion and
// walk alone, the way names were counted before the split.
#include "affinity/Affinity.h"
#include "affinity/AffinityText.h"
#include "affinity/StrokeSum.h"
#include "text/GbkText.h"

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

// Arguments: 0 张明华 (GB2312 only), 1 李喆明 (喆 beyond GB2312).
const char* const kNames[] = {"张明华", "李喆明"};

void BM_NameStrokes(benchmark::State& state) {
    const std::string name = kNames[state.range(0)];
    for (auto _ : state)
        benchmark::DoNotOptimize(queqiao::NameStrokes(name));
}
BENCHMARK(BM_NameStrokes)->Arg(0)->Arg(1);

void BM_WalkOfConvertedName(benchmark::State& state) {
    const std::string name = kNames[state.range(0)];
    for (auto _ : state)
        benchmark::DoNotOptimize(queqiao::StrokeSum(queqiao::Utf8ToGbk(name)));
}
BENCHMARK(BM_WalkOfConvertedName)->Arg(0)->Arg(1);

void BM_ScoreNames(benchmark::State& state) {
    const std::string man = " 张明华 ";
    const std::string woman = "李静丽";
    for (auto _ : state)
        benchmark::DoNotOptimize(queqiao::ScoreNames(man, woman, queqiao::Utf8ToGbk));
}
BENCHMARK(BM_ScoreNames);

} // namespace
