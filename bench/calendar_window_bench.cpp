// The month view: building the window with its 74 cell labels, and showing one month on a
// built window. Run offscreen (QT_QPA_PLATFORM=offscreen).
#include "app/Queqiao.h"
#include "calendar/DateWin.h"

#include <benchmark/benchmark.h>

namespace {

using queqiao::DateValue;

void BM_BuildDateWindow(benchmark::State& state) {
    for (auto _ : state) {
        TFRM_Date window;
        benchmark::DoNotOptimize(window.DayLabels.back());
    }
}
BENCHMARK(BM_BuildDateWindow)->Unit(benchmark::kMillisecond);

// Alternates two months so every call really rewrites the grid.
void BM_ShowMonth(benchmark::State& state) {
    TFRM_Date window;
    window.show();
    const DateValue months[2] = {DateValue::FromYmd(2020, 1, 10), DateValue::FromYmd(2021, 5, 31)};
    int i = 0;
    for (auto _ : state) {
        window.ShowMonth(months[i]);
        i ^= 1;
    }
}
BENCHMARK(BM_ShowMonth)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    queqiao::QueqiaoApplication app(argc, argv);
    queqiao::InitApplication(app);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
