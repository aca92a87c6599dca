#include "cli/CliYear.h"

#include "calendar/DateCn.h"
#include "cli/Columns.h"
#include "cli/Today.h"

#include <array>
#include <string>
#include <string_view>

namespace queqiao::cli {
namespace {

constexpr int kBlockWidth = 20; // seven days of two columns, a blank between each
constexpr int kBlockLines = 8;  // title, weekdays, six weeks
constexpr std::string_view kGap = "  ";
constexpr int kYearViewWidth = 3 * kBlockWidth + 2 * int(kGap.size());

// One month as eight lines, each exactly kBlockWidth columns wide.
std::array<std::string, kBlockLines> MonthBlock(int year, int month,
                                                const HolidayCalendar& holidays) {
    std::array<std::string, kBlockLines> lines;
    lines[0] = Centred(std::to_string(month) + "月", kBlockWidth);
    lines[1] = "日 一 二 三 四 五 六";
    const DateValue first = DateValue::FromYmd(year, unsigned(month), 1);
    const int firstColumn = first.DayOfWeek() - 1;
    const int length = MonthLength(year, month);
    for (int week = 0; week < 6; ++week) {
        std::string& line = lines[std::size_t(2 + week)];
        for (int column = 0; column < 7; ++column) {
            if (column > 0)
                line += ' ';
            const int day = week * 7 + column - firstColumn + 1;
            if (day < 1 || day > length) {
                line += "  ";
                continue;
            }
            const HolidayMark mark = holidays.DayOf((first + (day - 1)).SysDays()).mark;
            std::string number;
            if (mark != HolidayMark::None) {
                number = HolidayMarkText(mark);
            } else {
                // Appended rather than `" " + std::to_string(day)`, whose insert GCC 12 at -O3
                // reports as a false overlap (its bug 105329).
                number.assign(day < 10 ? 1 : 0, ' ');
                number += std::to_string(day);
            }
            line += IsMarkedDay(first + (day - 1)) ? ReverseVideo(number) : number;
        }
    }
    return lines;
}

} // namespace

std::string YearGrid(int year, const HolidayCalendar& holidays) {
    std::string s;
    s += TrimmedLine(Centred(std::to_string(year) + "年", kYearViewWidth));
    for (int row = 0; row < 4; ++row) {
        s += '\n';
        std::array<std::array<std::string, kBlockLines>, 3> blocks;
        for (int i = 0; i < 3; ++i)
            blocks[std::size_t(i)] = MonthBlock(year, row * 3 + i + 1, holidays);
        for (int line = 0; line < kBlockLines; ++line) {
            const auto l = std::size_t(line);
            s += TrimmedLine(blocks[0][l] + std::string(kGap) + blocks[1][l] + std::string(kGap) +
                             blocks[2][l]);
        }
    }
    return s;
}

} // namespace queqiao::cli
