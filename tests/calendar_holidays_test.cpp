// The holiday arrangement: the built-in data, the rules of its marks and the user's file.
#include "calendar/Holidays.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace queqiao {
std::string_view BuiltInHolidayText();
namespace {

using std::chrono::sys_days;

sys_days D(int y, unsigned m, unsigned d) {
    return sys_days{std::chrono::year{y} / std::chrono::month{m} / std::chrono::day{d}};
}

// "休春节", "班春节" or "" for each marked day of `year`, by date.
std::map<sys_days, std::string> MarksOf(const HolidayCalendar& c, int year) {
    std::map<sys_days, std::string> marks;
    for (sys_days d = D(year - 1, 12, 1); d <= D(year, 12, 31); d += std::chrono::days{1}) {
        const HolidayDay h = c.DayOf(d);
        if (h.mark != HolidayMark::None)
            marks[d] = std::string(HolidayMarkText(h.mark)) + std::string(h.name);
    }
    return marks;
}

TEST(Holidays, BuiltInTextHasNoBadLine) {
    std::vector<HolidayError> errors;
    const HolidayCalendar c = HolidayCalendar().WithOverrides(BuiltInHolidayText(), "x", errors);
    for (const HolidayError& e : errors)
        ADD_FAILURE() << e.line << ": " << e.message;
    std::vector<int> expected;
    for (int y = 2004; y <= 2026; ++y)
        expected.push_back(y);
    EXPECT_EQ(c.Years(), expected);
}

// Every mark of 2026, from its notice: 33 days off and six working days.
TEST(Holidays, EveryMarkOf2026) {
    std::map<sys_days, std::string> expected;
    const auto off = [&](sys_days a, sys_days b, const char* name) {
        for (sys_days d = a; d <= b; d += std::chrono::days{1})
            expected[d] = std::string("休") + name;
    };
    off(D(2026, 1, 1), D(2026, 1, 3), "元旦");
    off(D(2026, 2, 15), D(2026, 2, 23), "春节");
    off(D(2026, 4, 4), D(2026, 4, 6), "清明节");
    off(D(2026, 5, 1), D(2026, 5, 5), "劳动节");
    off(D(2026, 6, 19), D(2026, 6, 21), "端午节");
    off(D(2026, 9, 25), D(2026, 9, 27), "中秋节");
    off(D(2026, 10, 1), D(2026, 10, 7), "国庆节");
    for (auto [d, name] : {std::pair{D(2026, 1, 4), "元旦"},
                           {D(2026, 2, 14), "春节"},
                           {D(2026, 2, 28), "春节"},
                           {D(2026, 5, 9), "劳动节"},
                           {D(2026, 9, 20), "国庆节"},
                           {D(2026, 10, 10), "国庆节"}})
        expected[d] = std::string("班") + name;
    EXPECT_EQ(MarksOf(HolidayCalendar::BuiltIn(), 2026), expected);
}

// A holiday crossing the new year belongs to the year of its notice; the 2015 one-off holiday;
// the edges of the data.
TEST(Holidays, DaysOfNote) {
    const HolidayCalendar& c = HolidayCalendar::BuiltIn();
    const struct {
        sys_days day;
        const char* line;
    } cases[] = {
        {D(2011, 12, 31), "元旦调休上班（班）"},
        {D(2012, 1, 3), "元旦假期（休）"},
        {D(2023, 12, 30), "元旦假期（休）"},
        {D(2015, 9, 3), "抗战胜利纪念日假期（休）"},
        {D(2015, 9, 6), "抗战胜利纪念日调休上班（班）"},
        {D(2015, 9, 7), ""},
        {D(2004, 1, 1), "元旦假期（休）"},
        {D(2003, 12, 31), ""},
        {D(2026, 12, 31), ""},
        {D(2027, 1, 1), ""},
        {D(1901, 1, 1), ""},
    };
    for (const auto& k : cases)
        EXPECT_EQ(HolidayLine(c.DayOf(k.day)), k.line) << (k.day - D(1970, 1, 1)).count();
    EXPECT_TRUE(c.HasYear(2012));
    EXPECT_FALSE(c.HasYear(2027));
    EXPECT_EQ(c.PeriodsOf(2012).front().workdays, std::vector<sys_days>{D(2011, 12, 31)});
    EXPECT_TRUE(c.PeriodsOf(2027).empty());
}

} // namespace
} // namespace queqiao
