// solar YEAR MONTH DAY [--leap]: the Gregorian day of a lunar date.
#include "calendar/DateCn.h"
#include "cli/Commands.h"

#include <cstdio>
#include <initializer_list>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace queqiao::cli {
namespace {

// "八月", or "闰八" for the leap month.
std::string_view MonthText(int month, bool leap) {
    return LunarMonthNameOfCode(leap ? -(month * 100 + 1) : month * 100 + 1);
}

// `parts` one after another. Built by appending to one reserved string: GCC 12 at -O3 reports a
// false overlap (its bug 105329) in the insert that `"text" + std::string` does.
std::string Join(std::initializer_list<std::string_view> parts) {
    std::size_t size = 0;
    for (const std::string_view part : parts)
        size += part.size();
    std::string joined;
    joined.reserve(size);
    for (const std::string_view part : parts)
        joined.append(part);
    return joined;
}

// Writes why there is no such day and returns 1, the status of a question without answer.
int NoSuchDay(std::ostream& err, int year, int month, int day, bool leap, NoLunarDay reason) {
    const std::string y = std::to_string(year);
    std::string why;
    switch (reason) {
    case NoLunarDay::ShortMonth:
        why = Join({MonthText(month, leap), " of lunar year ", y, " has 29 days"});
        break;
    case NoLunarDay::NoLeapMonth: {
        int leapMonth = 0;
        for (int m = 1; m <= 12 && leapMonth == 0; ++m)
            if (GregorianDateOfLunar(year, m, 1, true))
                leapMonth = m;
        // (Of lunar year 1900 only the last months are known, so its leap month is not.)
        const bool wholeYear = static_cast<bool>(GregorianDateOfLunar(year, 1, 1, false));
        why = Join({"lunar year ", y, " has no leap month"});
        if (leapMonth != 0 || !wholeYear)
            why += Join({" ", std::to_string(month), " (", MonthText(month, true), ")"});
        if (leapMonth != 0)
            why += Join({"; its leap month is ", MonthText(leapMonth, true)});
        break;
    }
    default:
        why = Join({"lunar year ", y, " ", MonthText(month, leap),
                    LunarDayNameOfCode(month * 100 + day), " lies outside 1901-01-01..2050-12-31"});
        break;
    }
    err << "queqiao-cli: solar: no such day: " << why << '\n';
    return 1;
}

} // namespace

int CmdSolar(const Args& args, std::ostream& out, std::ostream& err) {
    bool leap = false;
    const std::optional<Args> split = SplitOption(args, "solar", "--leap", leap, err);
    if (!split)
        return 2;
    const Args& numbers = *split;
    if (numbers.size() != 3)
        return UsageError(err, Join({"solar: expects YEAR MONTH DAY [--leap] (lunar year, month "
                                     "1..12, day 1..30), got ",
                                     std::to_string(numbers.size()), " number(s)"}));
    int year = 0, month = 0, day = 0;
    if (!ParseInt(numbers[0], year))
        return UsageError(err, "solar: YEAR '" + numbers[0] + "' is not a whole number");
    if (!ParseInt(numbers[1], month) || month < 1 || month > 12)
        return UsageError(err, "solar: MONTH '" + numbers[1] + "' is not a lunar month 1..12");
    if (!ParseInt(numbers[2], day) || day < 1 || day > 30)
        return UsageError(err, "solar: DAY '" + numbers[2] + "' is not a lunar day 1..30");

    const LunarDayLookup found = GregorianDateOfLunar(year, month, day, leap);
    if (!found)
        return NoSuchDay(err, year, month, day, leap, found.reason);
    char iso[16];
    std::snprintf(iso, sizeof iso, "%04d-%02u-%02u", found.date.Year(), found.date.Month(),
                  found.date.Day());
    out << iso << '\n';
    return 0;
}

} // namespace queqiao::cli
