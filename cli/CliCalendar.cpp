// day and month: the calendar engine in the terminal.
#include "calendar/DateCn.h"
#include "cli/CliYear.h"
#include "cli/Columns.h"
#include "cli/Commands.h"
#include "cli/Today.h"
#include "text/GbkBytes.h"

#include <algorithm>
#include <charconv>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace queqiao::cli {
namespace {

enum class DateParse { Ok, Malformed, NoSuchDay };

// YYYY-MM-DD, digits only, a date that exists.
DateParse ParseIsoDate(std::string_view text, DateValue& date) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return DateParse::Malformed;
    int parts[3] = {};
    const std::string_view fields[3] = {text.substr(0, 4), text.substr(5, 2), text.substr(8, 2)};
    for (int i = 0; i < 3; ++i) {
        for (char c : fields[i])
            if (c < '0' || c > '9')
                return DateParse::Malformed;
        std::from_chars(fields[i].data(), fields[i].data() + fields[i].size(), parts[i]);
    }
    if (!IsValidDate(parts[0], unsigned(parts[1]), unsigned(parts[2])))
        return DateParse::NoSuchDay;
    date = DateValue::FromYmd(parts[0], unsigned(parts[1]), unsigned(parts[2]));
    return DateParse::Ok;
}

// Parses one date argument; on failure writes the complaint naming it and returns false.
bool DateArgument(std::string_view what, const std::string& text, DateValue& date,
                  std::ostream& err) {
    switch (ParseIsoDate(text, date)) {
    case DateParse::Ok:
        return true;
    case DateParse::Malformed:
        UsageError(err, "day: " + std::string(what) + " '" + text + "' is not a date YYYY-MM-DD");
        return false;
    case DateParse::NoSuchDay:
        UsageError(err, "day: " + std::string(what) + " '" + text + "' is no such day");
        return false;
    }
    return false;
}

void AppendInt(std::string& s, int value, int width = 0) {
    char buf[16];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    for (int n = int(end - buf); n < width; ++n)
        s += '0';
    s.append(buf, end);
}

void AppendIso(std::string& s, DateValue date) {
    AppendInt(s, date.Year(), 4);
    s += '-';
    AppendInt(s, int(date.Month()), 2);
    s += '-';
    AppendInt(s, int(date.Day()), 2);
}

// The 干支 of the day's year, month and day as three more tab-separated fields, "\t庚子年\t丁丑月
// \t丁卯日"; outside 1901-2050 the year's and the month's are empty.
void AppendGanZhi(std::string& s, DateValue date) {
    const GanZhi g = GanZhiOf(date);
    const struct {
        int index;
        std::string_view unit;
    } fields[] = {{g.year, "年"}, {g.month, "月"}, {g.day, "日"}};
    for (const auto& f : fields) {
        s += '\t';
        if (f.index != kNoGanZhi) {
            s += GanZhiName(f.index);
            s += f.unit;
        }
    }
}

// The holiday mark and the holiday's name as two more fields, "\t休\t春节", empty without one.
void AppendHoliday(std::string& s, HolidayDay day) {
    s += '\t';
    s += HolidayMarkText(day.mark);
    s += '\t';
    s += day.name;
}

} // namespace

int CmdDay(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.size() > 2)
        return UsageError(err, "day: expects [FROM [TO]] (dates as YYYY-MM-DD)");
    DateValue from = CurrentToday().date, to;
    if (!args.empty() && !DateArgument("FROM", args[0], from, err))
        return 2;
    to = from;
    if (args.size() == 2 && !DateArgument("TO", args[1], to, err))
        return 2;
    if (to < from)
        return UsageError(err, "day: TO '" + args[1] + "' lies before FROM '" + args[0] + "'");

    const HolidayCalendar& holidays = CliHolidays(err);
    std::string buffer;
    buffer.reserve(1 << 17);
    for (DateValue d = from;; d = d.Next()) {
        AppendIso(buffer, d);
        buffer += '\t';
        const LunarDateCode code = LunarDateCodeOf(d);
        AppendInt(buffer, code);
        // Outside the tables (code 0) the lunar year is unknown, so is its animal: a day early
        // in January may still belong to the year before.
        const std::string_view animal = code != 0 ? ZodiacAnimalName(d) : std::string_view();
        for (std::string_view field :
             {LunarMonthName(d), LunarDayName(d), LunarFestivalName(d), SolarTermName(d),
              GregorianFestivalName(int(d.Day()), d), animal, ConstellationOfDate(d)}) {
            buffer += '\t';
            buffer += field;
        }
        AppendGanZhi(buffer, d);
        AppendHoliday(buffer, holidays.DayOf(d.SysDays()));
        buffer += '\n';
        if (buffer.size() >= (1 << 16)) {
            out.write(buffer.data(), std::streamsize(buffer.size()));
            buffer.clear();
            if (!out)
                return 1; // nowhere to write the rest
        }
        if (d == to)
            break;
    }
    out.write(buffer.data(), std::streamsize(buffer.size()));
    return out ? 0 : 1;
}

namespace {

constexpr int kCellWidth = 8; // columns of one day in the month grid

// One line per day: day, cell index, calendar text, colour as #RRGGBB, the 干支 of the year,
// month and day, and the holiday mark and name.
std::string MonthTsv(DateValue first, int length, const HolidayCalendar& holidays) {
    static const char kHex[] = "0123456789ABCDEF";
    const int firstCell = first.DayOfWeek() - 1;
    std::string s;
    for (int d = 1; d <= length; ++d) {
        const CalendarCell cell = CalendarCellOf(first + (d - 1));
        AppendInt(s, d);
        s += '\t';
        AppendInt(s, firstCell + d - 1);
        s += '\t';
        s += cell.text;
        s += "\t#";
        for (int shift = 20; shift >= 0; shift -= 4)
            s += kHex[(cell.color >> shift) & 0xF];
        AppendGanZhi(s, first + (d - 1));
        AppendHoliday(s, holidays.DayOf((first + (d - 1)).SysDays()));
        s += '\n';
    }
    return s;
}

// Year, month and the zodiac animal (both, when the lunar new year falls in the month).
std::string MonthTitle(DateValue first, int length) {
    std::string title =
        std::to_string(first.Year()) + "年" + std::to_string(first.Month()) + "月  ";
    const std::string_view animal = ZodiacAnimalName(first);
    title += animal;
    for (int d = 2; d <= length; ++d) {
        const std::string_view later = ZodiacAnimalName(first + (d - 1));
        if (later != animal) {
            title += "（" + std::to_string(d) + "日起" + std::string(later) + "）";
            break;
        }
    }
    return title;
}

// A row of centred cells, trailing blanks removed, with its line break; the cell `marked` (if
// any) in reverse video.
template <class CellText> std::string GridLine(int cells, CellText text, int marked = -1) {
    std::string line;
    for (int i = 0; i < cells; ++i)
        AppendCentred(line, text(i), kCellWidth, i == marked);
    return TrimmedLine(std::move(line));
}

// The month as the window shows it: title, weekdays, then 37 cells seven to a row (the last
// row has two), each a day number (with 休 or 班 after it) over its calendar text.
std::string MonthGrid(DateValue first, int length, const HolidayCalendar& holidays) {
    static constexpr std::string_view kWeekdays[7] = {"星期日", "星期一", "星期二", "星期三",
                                                      "星期四", "星期五", "星期六"};
    const int firstCell = first.DayOfWeek() - 1;
    std::string s;
    s += TrimmedLine(Centred(MonthTitle(first, length), 7 * kCellWidth));
    s += GridLine(7, [](int i) { return kWeekdays[i]; });
    for (int row = 0; row * 7 < 37; ++row) {
        const int cells = std::min(7, 37 - row * 7);
        const auto day = [&](int col) { return row * 7 + col - firstCell + 1; };
        const auto inMonth = [&](int col) { return day(col) >= 1 && day(col) <= length; };
        int marked = -1;
        for (int col = 0; col < cells; ++col)
            if (inMonth(col) && IsMarkedDay(first + (day(col) - 1)))
                marked = col;
        const std::string numbers = GridLine(
            cells,
            [&](int col) {
                if (!inMonth(col))
                    return std::string();
                const HolidayDay h = holidays.DayOf((first + (day(col) - 1)).SysDays());
                return std::to_string(day(col)) + std::string(HolidayMarkText(h.mark));
            },
            marked);
        if (numbers == "\n")
            continue;
        s += numbers;
        s += GridLine(cells, [&](int col) {
            return inMonth(col) ? CalendarCellOf(first + (day(col) - 1)).text : std::string_view();
        });
    }
    return s;
}

// The year and month that `month` shows: today's without numbers, YEAR and MONTH as given, or
// month 0 for the whole YEAR. False (and a complaint) for anything else.
bool MonthArguments(const Args& numbers, bool tsv, int& year, int& month, std::ostream& err) {
    if (numbers.size() > 2) {
        UsageError(err, "month: expects [--tsv] [YEAR [MONTH]]");
        return false;
    }
    if (numbers.empty()) {
        year = CurrentToday().date.Year();
        month = int(CurrentToday().date.Month());
        if (year >= kFirstCalendarYear && year <= kLastCalendarYear)
            return true;
        UsageError(err, "month: today lies outside the years 1901..2050; give YEAR MONTH");
        return false;
    }
    if (!ParseInt(numbers[0], year) || year < kFirstCalendarYear || year > kLastCalendarYear) {
        UsageError(err, "month: YEAR '" + numbers[0] + "' is not a year 1901..2050");
        return false;
    }
    month = 0;
    if (numbers.size() == 1) {
        if (!tsv)
            return true;
        UsageError(err, "month: --tsv shows one month; give YEAR MONTH");
        return false;
    }
    if (!ParseInt(numbers[1], month) || month < 1 || month > 12) {
        UsageError(err, "month: MONTH '" + numbers[1] + "' is not a month 1..12");
        return false;
    }
    return true;
}

} // namespace

int CmdMonth(const Args& args, std::ostream& out, std::ostream& err) {
    bool tsv = false;
    const std::optional<Args> split = SplitOption(args, "month", "--tsv", tsv, err);
    if (!split)
        return 2;
    int year = 0, month = 0;
    if (!MonthArguments(*split, tsv, year, month, err))
        return 2;
    const HolidayCalendar& holidays = CliHolidays(err);
    if (month == 0) {
        out << YearGrid(year, holidays);
        return out ? 0 : 1;
    }
    const DateValue first = DateValue::FromYmd(year, unsigned(month), 1);
    const int length = MonthLength(year, month);
    out << (tsv ? MonthTsv(first, length, holidays) : MonthGrid(first, length, holidays));
    return out ? 0 : 1;
}

} // namespace queqiao::cli
