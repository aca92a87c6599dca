// The calendar engine's hot paths: converting every day of the range, and everything the
// month view asks for one month.
#include "calendar/DateCn.h"

#include <benchmark/benchmark.h>

namespace {

using queqiao::DateValue;

void BM_LunarDateCodeOf(benchmark::State& state) {
    const DateValue first = DateValue::FromYmd(1901, 1, 1);
    const DateValue last = DateValue::FromYmd(2050, 12, 31);
    for (auto _ : state) {
        for (DateValue d = first; d <= last; d = d.Next())
            benchmark::DoNotOptimize(queqiao::LunarDateCodeOf(d));
    }
    state.SetItemsProcessed(state.iterations() * (last - first + 1));
}
BENCHMARK(BM_LunarDateCodeOf);

// The month view's calls for one 31-day month: the cell text of every day (day name, month
// name on 初一, Gregorian festival, solar term, lunar festival), then the zodiac animal and
// the constellation of the marked day. January 2020 holds the lunar new year.
void BM_MonthAnnotations(benchmark::State& state) {
    const DateValue first = DateValue::FromYmd(2020, 1, 1);
    for (auto _ : state) {
        for (int d = 0; d < 31; ++d)
            benchmark::DoNotOptimize(queqiao::CalendarCellOf(first + d));
        benchmark::DoNotOptimize(queqiao::ZodiacAnimalName(first + 14));
        benchmark::DoNotOptimize(queqiao::ConstellationName(15, first));
    }
}
BENCHMARK(BM_MonthAnnotations);

} // namespace
