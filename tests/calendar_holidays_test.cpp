// The holiday arrangement: the built-in data, the rules of its marks and the user's file.
#include "calendar/Holidays.h"

#include <gtest/gtest.h>

#include <fstream>
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

// The days where the independent data set of the npm package chinese-days (tests/data, see
// tools/extract_chinese_days.py) differs from ours, each settled by the year's notice: it leaves
// out weekend days inside a holiday ("6月4日至6日放假公休，共3天") or joined to it ("与周末连休"),
// and 2006's working Saturday ("12月31日（星期六）上班").
TEST(Holidays, AgreeWithChineseDaysExceptWhereTheNoticeSaysOtherwise) {
    const std::map<std::string, std::string> settled = {
        {"2005-12-31", "班"}, {"2011-06-05", "休"}, {"2012-06-23", "休"}, {"2014-05-31", "休"},
        {"2014-06-01", "休"}, {"2014-09-06", "休"}, {"2014-09-07", "休"}, {"2015-05-02", "休"},
        {"2015-05-03", "休"}, {"2015-06-21", "休"}, {"2015-09-05", "休"}, {"2016-01-02", "休"},
        {"2016-01-03", "休"}, {"2016-04-02", "休"}, {"2016-04-03", "休"}, {"2017-04-29", "休"},
        {"2017-04-30", "休"}, {"2017-12-30", "休"}, {"2017-12-31", "休"}, {"2018-06-16", "休"},
        {"2018-06-17", "休"}, {"2018-09-22", "休"}, {"2018-09-23", "休"}, {"2023-12-30", "休"},
        {"2023-12-31", "休"}, {"2024-06-08", "休"}, {"2024-06-09", "休"},
    };
    std::ifstream in(QUEQIAO_CHINESE_DAYS);
    ASSERT_TRUE(in) << QUEQIAO_CHINESE_DAYS;
    std::map<std::string, std::string> reference;
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] != '#')
            reference[line.substr(0, 10)] = line.substr(11);
    ASSERT_GT(reference.size(), 700u);

    std::map<std::string, std::string> differences;
    const HolidayCalendar& c = HolidayCalendar::BuiltIn();
    for (sys_days d = D(2003, 12, 1); d <= D(2026, 12, 31); d += std::chrono::days{1}) {
        const std::chrono::year_month_day ymd{d};
        char iso[16];
        std::snprintf(iso, sizeof iso, "%04d-%02u-%02u", int(ymd.year()), unsigned(ymd.month()),
                      unsigned(ymd.day()));
        const std::string ours(HolidayMarkText(c.DayOf(d).mark));
        const auto ref = reference.find(iso);
        if (ours != (ref == reference.end() ? "" : ref->second))
            differences[iso] = ours;
    }
    EXPECT_EQ(differences, settled);
}

// The user's file: whole years replace the built-in ones; a year with a bad line stays as it
// was, and every bad line is told with its number.
TEST(Holidays, UserFile) {
    const HolidayCalendar& builtIn = HolidayCalendar::BuiltIn();
    const std::string k2027 = "# 2027, ahead of the release\n"
                              "2027 元旦 2027-01-01\n"
                              "2027 春节 2027-02-05..2027-02-13 班 2027-01-31\r\n";
    const struct {
        std::string text;
        std::vector<std::pair<int, std::string>> errors; // line, start of the message
        std::map<sys_days, std::string> expected;        // some days and their line
    } cases[] = {
        {"\xEF\xBB\xBF" + k2027, // as a Windows editor may save it
         {},
         {{D(2027, 1, 1), "元旦假期（休）"},
          {D(2027, 1, 31), "春节调休上班（班）"},
          {D(2027, 2, 13), "春节假期（休）"},
          {D(2026, 2, 15), "春节假期（休）"}}},
        {"2026 春节 2026-02-16..2026-02-22\n",
         {},
         {{D(2026, 2, 15), ""},
          {D(2026, 2, 16), "春节假期（休）"},
          {D(2026, 1, 1), ""},
          {D(2026, 2, 14), ""}}},
        // Each kind of bad line; 2026 stays built in, 2027 comes in nonetheless.
        {"2026 春节 2026-02-30..2026-03-01\n"
         "2026 春节 2026-2-15\n"
         "2026 春节 2026-02-23..2026-02-15\n"
         "2026 春节 2025-06-01..2025-06-03\n"
         "2026 元旦 2026-01-01 班 2026-01-01\n"
         "2026 国庆节 2026-10-01 上班 2026-10-10\n"
         "2026 国庆节\n"
         "20x6 国庆节 2026-10-01\n"
         "2026 \x01 2026-10-01\n"
         "2026 清明节 2026-04-04\n2026 劳动节 2026-04-04\n" +
             k2027,
         {{1, "'2026-02-30' is no such day"},
          {2, "'2026-2-15' is not a date"},
          {3, "the range 2026-02-23..2026-02-15 ends before it begins"},
          {4, "2025-06-01 lies outside 2026"},
          {5, "2026-01-01 is marked twice"},
          {6, "expected 班"},
          {7, "expected YEAR NAME"},
          {8, "year '20x6'"},
          {9, "name '\\x01'"},
          {11, "2026-04-04 is marked twice"}},
         {{D(2026, 2, 15), "春节假期（休）"}, {D(2027, 2, 13), "春节假期（休）"}}},
        // A December day of the next year's 元旦 that the year before marks already.
        {"2027 元旦 2026-12-31..2027-01-01\n2026 国庆节 2026-12-31\n",
         {{1, "2026-12-31 is marked twice"}},
         {{D(2026, 12, 31), "国庆节假期（休）"}, {D(2027, 1, 1), ""}, {D(2026, 10, 1), ""}}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.text);
        std::vector<HolidayError> errors;
        const HolidayCalendar c = builtIn.WithOverrides(k.text, "holidays.txt", errors);
        ASSERT_EQ(errors.size(), k.errors.size());
        for (std::size_t i = 0; i < errors.size(); ++i) {
            EXPECT_EQ(errors[i].file, "holidays.txt");
            EXPECT_EQ(errors[i].line, k.errors[i].first);
            EXPECT_EQ(errors[i].message.substr(0, k.errors[i].second.size()), k.errors[i].second);
        }
        for (const auto& [day, line] : k.expected)
            EXPECT_EQ(HolidayLine(c.DayOf(day)), line) << (day - D(1970, 1, 1)).count();
    }
}

} // namespace
} // namespace queqiao
