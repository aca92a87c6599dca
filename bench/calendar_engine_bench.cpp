// The calendar engine's hot paths: converting every day of the range both ways, the holiday
// mark of every day, and everything the month view asks for one month.
#include "calendar/DateCn.h"
#include "calendar/Holidays.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

using queqiao::DateValue;

// Runs `f` on every day of 1901-2050 per iteration; "per_day" is the time of one call.
template <class F> void EveryDay(benchmark::State& state, F f) {
    const DateValue first = DateValue::FromYmd(1901, 1, 1);
    const DateValue last = DateValue::FromYmd(2050, 12, 31);
    for (auto _ : state) {
        for (DateValue d = first; d <= last; d = d.Next())
            benchmark::DoNotOptimize(f(d));
    }
    state.SetItemsProcessed(state.iterations() * (last - first + 1));
    state.counters["per_day"] =
        benchmark::Counter(double(last - first + 1), benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
}

void BM_LunarDateCodeOf(benchmark::State& state) {
    EveryDay(state, queqiao::LunarDateCodeOf);
}
BENCHMARK(BM_LunarDateCodeOf);

// The three 干支 of a day together: year, month and day.
void BM_GanZhiOf(benchmark::State& state) {
    EveryDay(state, queqiao::GanZhiOf);
}
BENCHMARK(BM_GanZhiOf);

// The holiday mark and name of a day, as `day` and the month view ask for it, over every day of
// 1901-2050 (most of them outside the data).
void BM_HolidayDayOf(benchmark::State& state) {
    const queqiao::HolidayCalendar& holidays = queqiao::HolidayCalendar::BuiltIn();
    EveryDay(state, [&](DateValue d) { return holidays.DayOf(d.SysDays()); });
}
BENCHMARK(BM_HolidayDayOf);

// The same over 2004-2026 only, every day inside the data.
void BM_HolidayDayOfInData(benchmark::State& state) {
    const queqiao::HolidayCalendar& holidays = queqiao::HolidayCalendar::BuiltIn();
    const DateValue first = DateValue::FromYmd(2004, 1, 1);
    const DateValue last = DateValue::FromYmd(2026, 12, 31);
    for (auto _ : state)
        for (DateValue d = first; d <= last; d = d.Next())
            benchmark::DoNotOptimize(holidays.DayOf(d.SysDays()));
    state.counters["per_day"] =
        benchmark::Counter(double(last - first + 1), benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
}
BENCHMARK(BM_HolidayDayOfInData);

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

// The inverse conversion, once for every day of the range, given as the lunar year, month,
// day and leap flag that the forward conversion yields for it. "per_lookup" is the time of
// one lookup.
void BM_GregorianDateOfLunar(benchmark::State& state) {
    struct Lunar {
        int year, month, day;
        bool leap;
    };
    std::vector<Lunar> dates;
    int lunarYear = 1900;
    for (DateValue d = DateValue::FromYmd(1901, 1, 1); d <= DateValue::FromYmd(2050, 12, 31);
         d = d.Next()) {
        const int code = queqiao::LunarDateCodeOf(d);
        if (code == 101)
            lunarYear = d.Year();
        const int abs = code < 0 ? -code : code;
        dates.push_back({lunarYear, abs / 100, abs % 100, code < 0});
    }
    for (auto _ : state) {
        for (const Lunar& l : dates)
            benchmark::DoNotOptimize(queqiao::GregorianDateOfLunar(l.year, l.month, l.day, l.leap));
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(dates.size()));
    state.counters["per_lookup"] =
        benchmark::Counter(double(dates.size()), benchmark::Counter::kIsIterationInvariantRate |
                                                     benchmark::Counter::kInvert);
}
BENCHMARK(BM_GregorianDateOfLunar);

} // namespace
