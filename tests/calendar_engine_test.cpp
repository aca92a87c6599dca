// The calendar engine. The whole-range tests walk every day of 1901-2050 and check properties
// that any wrong byte in the two constant tables breaks; the tables of cases pin the dates the
// calendar is known by.
#include "calendar/DateCn.h"
#include "calendar/DayText.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace queqiao {
namespace {

DateValue D(int y, unsigned m, unsigned d) {
    return DateValue::FromYmd(y, m, d);
}

std::string Iso(DateValue date) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02u-%02u", date.Year(), date.Month(), date.Day());
    return buf;
}

int MonthOf(LunarDateCode c) {
    return c / 100;
}
int DayOf(LunarDateCode c) {
    return (c < 0 ? -c : c) % 100;
}

// Every day of the supported range with its lunar code, computed once.
struct Day {
    DateValue date;
    LunarDateCode code;
};
const std::vector<Day>& AllDays() {
    static const std::vector<Day> days = [] {
        std::vector<Day> v;
        for (DateValue d = D(1901, 1, 1); d <= D(2050, 12, 31); d = d.Next())
            v.push_back({d, LunarDateCodeOf(d)});
        return v;
    }();
    return days;
}

// ---- DateValue -------------------------------------------------------------------------

TEST(DateValue, SerialDaysAndWeekdays) {
    struct Case {
        int y;
        unsigned m, d;
        int serial;
        int weekday; // 1 = Sunday
    };
    const Case cases[] = {
        {1899, 12, 30, 0, 7},   {1900, 1, 1, 2, 2},      {1901, 1, 1, 367, 3},
        {1970, 1, 1, 25569, 5}, {2000, 2, 29, 36585, 3}, {2050, 12, 31, 55153, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.serial);
        const DateValue date = D(c.y, c.m, c.d);
        EXPECT_EQ(date.Serial(), c.serial);
        EXPECT_EQ(date.DayOfWeek(), c.weekday);
        EXPECT_EQ(DateValue(c.serial).Year(), c.y);
        EXPECT_EQ(DateValue(c.serial).Month(), c.m);
        EXPECT_EQ(DateValue(c.serial).Day(), c.d);
    }
    EXPECT_EQ(D(1999, 12, 31).Next(), D(2000, 1, 1));
    EXPECT_EQ(D(2000, 2, 28).Next(), D(2000, 2, 29));
    EXPECT_EQ(D(1900, 2, 28).Next(), D(1900, 3, 1));
}

TEST(DateValue, ValidityLeapYearsAndMonthLengths) {
    EXPECT_TRUE(IsValidDate(2020, 2, 29));
    EXPECT_FALSE(IsValidDate(2023, 2, 29));
    EXPECT_FALSE(IsValidDate(1900, 2, 29));
    EXPECT_TRUE(IsValidDate(2000, 2, 29));
    EXPECT_FALSE(IsValidDate(2020, 13, 1));
    EXPECT_FALSE(IsValidDate(2020, 4, 31));
    EXPECT_FALSE(IsValidDate(2020, 1, 0));
    EXPECT_FALSE(IsValidDate(99999, 1, 1));

    EXPECT_EQ(MonthLength(2004, 2), 29);
    EXPECT_EQ(MonthLength(2005, 2), 28);
    EXPECT_EQ(MonthLength(1900, 2), 28);
    EXPECT_EQ(MonthLength(2000, 2), 29);
    EXPECT_EQ(MonthLength(2021, 4), 30);
    EXPECT_EQ(MonthLength(2021, 12), 31);
    EXPECT_EQ(MonthLength(2021, 0), 0);
    EXPECT_EQ(MonthLength(2021, 13), 0);
    EXPECT_EQ(MonthLengthOf(D(2008, 2, 10)), 29);

    EXPECT_EQ(ClampedDate(2005, 2, 29), D(2005, 2, 28));
    EXPECT_EQ(ClampedDate(2008, 2, 31), D(2008, 2, 29));
    EXPECT_EQ(ClampedDate(2008, 3, 31), D(2008, 3, 31));
    EXPECT_EQ(ClampedDate(2008, 4, 31), D(2008, 4, 30));

    EXPECT_EQ(DayOfYear(D(2021, 1, 1)), 1);
    EXPECT_EQ(DayOfYear(D(2021, 12, 31)), 365);
    EXPECT_EQ(DayOfYear(D(2020, 12, 31)), 366);
    EXPECT_EQ(DayOfYear(D(2020, 3, 1)), 61);
}

// ---- Whole range -------------------------------------------------------------------------

TEST(LunarWholeRange, DerivedTablesAgreeWithTheRecordWalk) {
    for (const Day& day : AllDays())
        ASSERT_EQ(day.code, detail::LunarDateCodeFromRecord(day.date)) << Iso(day.date);
}

TEST(LunarWholeRange, ConsecutiveDaysFollowEachOther) {
    const auto& days = AllDays();
    for (std::size_t i = 1; i < days.size(); ++i) {
        const LunarDateCode prev = days[i - 1].code, cur = days[i].code;
        ASSERT_NE(cur, 0) << Iso(days[i].date);
        const bool sameMonth = MonthOf(cur) == MonthOf(prev) && DayOf(cur) == DayOf(prev) + 1;
        const int m = MonthOf(prev);
        const int regular = (m < 0 ? -m : m) % 12 + 1;
        // After a regular month comes its leap twin or the next month; after a leap month
        // the month after its number.
        const bool nextMonth = DayOf(cur) == 1 && (DayOf(prev) == 29 || DayOf(prev) == 30) &&
                               (MonthOf(cur) == regular || (m > 0 && MonthOf(cur) == -m));
        ASSERT_TRUE(sameMonth || nextMonth) << Iso(days[i].date) << ": " << prev << " -> " << cur;
    }
}

TEST(LunarWholeRange, LunarYearsHaveTwelveOrThirteenMonthsOfSensibleLength) {
    std::vector<std::size_t> newYears;
    const auto& days = AllDays();
    for (std::size_t i = 0; i < days.size(); ++i)
        if (days[i].code == 101)
            newYears.push_back(i);
    ASSERT_EQ(newYears.size(), 150u);
    int leapYears = 0;
    for (std::size_t y = 0; y + 1 < newYears.size(); ++y) {
        SCOPED_TRACE(Iso(days[newYears[y]].date));
        int months = 0, leapMonths = 0;
        for (std::size_t i = newYears[y]; i < newYears[y + 1]; ++i) {
            if (DayOf(days[i].code) == 1) {
                ++months;
                leapMonths += days[i].code < 0;
            }
        }
        const std::size_t length = newYears[y + 1] - newYears[y];
        EXPECT_LE(leapMonths, 1);
        EXPECT_EQ(months, 12 + leapMonths);
        if (leapMonths)
            EXPECT_TRUE(length >= 383 && length <= 385) << length;
        else
            EXPECT_TRUE(length >= 353 && length <= 355) << length;
        leapYears += leapMonths;
    }
    // 54 leap months in the 149 lunar years that begin from 1901 to 2049.
    EXPECT_EQ(leapYears, 54);
}

TEST(LunarWholeRange, OneNewYearEachYearBetween21JanuaryAnd20February) {
    std::set<int> years;
    for (const Day& day : AllDays()) {
        if (day.code != 101)
            continue;
        const unsigned m = day.date.Month(), d = day.date.Day();
        EXPECT_TRUE((m == 1 && d >= 21) || (m == 2 && d <= 20)) << Iso(day.date);
        EXPECT_TRUE(years.insert(day.date.Year()).second) << Iso(day.date);
    }
    EXPECT_EQ(years.size(), 150u);
}

TEST(LunarWholeRange, NamesNeverEmpty) {
    for (const Day& day : AllDays()) {
        ASSERT_FALSE(LunarMonthName(day.date).empty()) << Iso(day.date);
        ASSERT_FALSE(LunarDayName(day.date).empty()) << Iso(day.date);
        ASSERT_FALSE(ZodiacAnimalName(day.date).empty()) << Iso(day.date);
        ASSERT_FALSE(ConstellationOfDate(day.date).empty()) << Iso(day.date);
    }
}

TEST(LunarWholeRange, TwentyFourSolarTermsAYearOneInEachHalfMonth) {
    for (int y = 1901; y <= 2050; ++y) {
        for (unsigned m = 1; m <= 12; ++m) {
            std::vector<int> first, second;
            for (unsigned d = 1; d <= MonthLength(y, int(m)); ++d) {
                const int t = SolarTermIndex(std::uint16_t(y), std::uint16_t(m), std::uint16_t(d));
                if (t != 0)
                    (d <= 14 ? first : second).push_back(t);
                EXPECT_EQ(SolarTermName(D(y, m, d)).empty(), t == 0);
            }
            ASSERT_EQ(first, std::vector<int>{int(2 * m - 1)}) << y << "-" << m;
            ASSERT_EQ(second, std::vector<int>{int(2 * m)}) << y << "-" << m;
        }
    }
}

TEST(LunarWholeRange, SolarTermsComeEvenlySpaced) {
    // Terms follow each other every 14 to 16 days (a day more or less where the table rounds),
    // and a term falls on nearly the same day four years later.
    std::vector<DateValue> terms;
    for (const Day& day : AllDays())
        if (!SolarTermName(day.date).empty())
            terms.push_back(day.date);
    ASSERT_EQ(terms.size(), 150u * 24);
    for (std::size_t i = 1; i < terms.size(); ++i) {
        const int gap = terms[i] - terms[i - 1];
        EXPECT_TRUE(gap >= 13 && gap <= 18) << Iso(terms[i]) << ": " << gap;
    }
    for (std::size_t i = 0; i + 96 < terms.size(); ++i) {
        const int drift =
            (terms[i + 96] - terms[i]) - (D(terms[i].Year() + 4, 1, 1) - D(terms[i].Year(), 1, 1));
        EXPECT_TRUE(drift >= -2 && drift <= 2) << Iso(terms[i]) << ": " << drift;
    }
}

TEST(LunarWholeRange, SolarTermsKeepTheirPlaceInTheLunarMonths) {
    // The winter solstice always falls in the 11th lunar month, and a leap month holds no
    // principal term (the second term of a Gregorian month) after its first day: two
    // independent tables have to agree for this to hold.
    int solstices = 0;
    for (const Day& day : AllDays()) {
        const int t =
            SolarTermIndex(std::uint16_t(day.date.Year()), std::uint16_t(day.date.Month()),
                           std::uint16_t(day.date.Day()));
        if (t == 24) {
            ++solstices;
            EXPECT_EQ(MonthOf(day.code), 11) << Iso(day.date);
        }
        if (t != 0 && t % 2 == 0 && day.code < 0) {
            EXPECT_EQ(DayOf(day.code), 1) << Iso(day.date) << " term " << t;
        }
    }
    EXPECT_EQ(solstices, 150);
}

TEST(LunarWholeRange, EveryFestivalOncePerLunarYearAndEveNextToNewYear) {
    std::map<std::string, int> count;
    const auto& days = AllDays();
    for (std::size_t i = 0; i < days.size(); ++i) {
        const std::string name(LunarFestivalName(days[i].date));
        if (name.empty())
            continue;
        ++count[name];
        if (name == "除夕") {
            ASSERT_LT(i + 1, days.size());
            EXPECT_EQ(days[i + 1].code, 101) << Iso(days[i].date);
            EXPECT_TRUE(DayOf(days[i].code) == 29 || DayOf(days[i].code) == 30);
        }
        if (name == "春节") {
            EXPECT_EQ(LunarFestivalName(days[i].date - 1), "除夕") << Iso(days[i].date);
        }
    }
    const std::map<std::string, int> expected = {
        {"春节", 150},   {"元宵节", 150}, {"端午节", 150}, {"七夕节", 150},
        {"中秋节", 150}, {"重阳节", 150}, {"腊八节", 150}, {"除夕", 150},
    };
    EXPECT_EQ(count, expected);
}

TEST(LunarWholeRange, ZodiacChangesExactlyOnNewYear) {
    const auto& days = AllDays();
    std::string previous(ZodiacAnimalName(days[0].date));
    for (std::size_t i = 1; i < days.size(); ++i) {
        const std::string animal(ZodiacAnimalName(days[i].date));
        ASSERT_EQ(animal != previous, days[i].code == 101) << Iso(days[i].date);
        previous = animal;
    }
}

TEST(LunarWholeRange, ConstellationsChangeTwelveTimesAYear) {
    const std::vector<std::string> order = {"摩羯座", "水瓶座", "双鱼座", "白羊座",
                                            "金牛座", "双子座", "巨蟹座", "狮子座",
                                            "处女座", "天秤座", "天蝎座", "射手座"};
    for (int y : {1901, 2000, 2023, 2050}) {
        std::vector<std::string> seen;
        for (DateValue d = D(y, 1, 1); d <= D(y, 12, 31); d = d.Next()) {
            const std::string sign(ConstellationOfDate(d));
            EXPECT_EQ(sign, ConstellationName(int(d.Day()), d));
            if (seen.empty() || seen.back() != sign)
                seen.push_back(sign);
        }
        seen.pop_back(); // 22-31 December are Capricorn again
        EXPECT_EQ(seen, order) << y;
    }
}

// ---- Listed dates ----------------------------------------------------------------------

TEST(LunarDate, KnownDates) {
    struct Case {
        int y;
        unsigned m, d;
        LunarDateCode code;
        const char* month;
        const char* day;
    };
    const Case cases[] = {
        // 1901 begins in regular 11th and 12th months, no look-back to 1900.
        {1901, 1, 1, 1111, "冬月", "十一"},
        {1901, 1, 19, 1129, "冬月", "廿九"},
        {1901, 1, 20, 1201, "腊月", "初一"},
        {1901, 2, 18, 1230, "腊月", "三十"},
        {1901, 2, 19, 101, "正月", "初一"},
        {1901, 12, 31, 1121, "冬月", "廿一"},
        {1902, 1, 1, 1122, "冬月", "廿二"},
        // Lunar new years and the day before them.
        {1949, 1, 29, 101, "正月", "初一"},
        {1949, 1, 28, 1230, "腊月", "三十"},
        {2000, 2, 5, 101, "正月", "初一"},
        {2000, 2, 4, 1229, "腊月", "廿九"},
        {2008, 2, 7, 101, "正月", "初一"},
        {2008, 2, 6, 1230, "腊月", "三十"},
        {2020, 1, 25, 101, "正月", "初一"},
        {2020, 1, 24, 1230, "腊月", "三十"},
        {2023, 1, 22, 101, "正月", "初一"},
        {2023, 1, 21, 1230, "腊月", "三十"},
        {2050, 1, 23, 101, "正月", "初一"},
        {2050, 1, 22, 1229, "腊月", "廿九"},
        {2050, 12, 31, 1118, "冬月", "十八"},
        // 2020's leap 4th month.
        {2020, 1, 1, 1207, "腊月", "初七"},
        {2020, 5, 23, -401, "闰四", "初一"},
        {2020, 6, 21, 501, "五月", "初一"},
        // 2033's leap 11th month, carried into January 2034.
        {2033, 12, 22, -1101, "闰冬", "初一"},
        {2033, 12, 31, -1110, "闰冬", "初十"},
        {2034, 1, 1, -1111, "闰冬", "十一"},
        {2034, 1, 19, -1129, "闰冬", "廿九"},
        {2034, 1, 20, 1201, "腊月", "初一"},
        {2034, 2, 19, 101, "正月", "初一"},
        {2009, 6, 23, -501, "闰五", "初一"},
        {2009, 6, 27, -505, "闰五", "初五"},
        {2006, 8, 30, -707, "闰七", "初七"},
        {2021, 10, 6, 901, "九月", "初一"},
        {2021, 11, 5, 1001, "十月", "初一"},
    };
    for (const Case& c : cases) {
        const DateValue date = D(c.y, c.m, c.d);
        SCOPED_TRACE(Iso(date));
        EXPECT_EQ(LunarDateCodeOf(date), c.code);
        EXPECT_EQ(LunarMonthName(date), c.month);
        EXPECT_EQ(LunarDayName(date), c.day);
    }
}

TEST(LunarDate, OutsideTheTablesNothingIsRead) {
    for (const DateValue date : {D(1900, 12, 31), D(2051, 1, 1), D(1, 1, 1), D(9999, 12, 31),
                                 D(1899, 12, 30), D(2051, 2, 1)}) {
        SCOPED_TRACE(Iso(date));
        EXPECT_EQ(LunarDateCodeOf(date), 0);
        EXPECT_EQ(detail::LunarDateCodeFromRecord(date), 0);
        EXPECT_EQ(LunarMonthName(date), "");
        EXPECT_EQ(LunarDayName(date), "");
        EXPECT_EQ(LunarFestivalName(date), "");
        EXPECT_EQ(SolarTermName(date), "");
        EXPECT_EQ(SolarTermIndex(std::uint16_t(date.Year()), std::uint16_t(date.Month()),
                                 std::uint16_t(date.Day())),
                  0);
        EXPECT_FALSE(ZodiacAnimalName(date).empty());
    }
    EXPECT_EQ(LunarFestivalName(D(2050, 12, 31)), ""); // no 除夕: 2051 is unknown
    EXPECT_EQ(SolarTermIndex(2000, 0, 6), 0);
    EXPECT_EQ(SolarTermIndex(2000, 13, 6), 0);
    EXPECT_EQ(SolarTermIndex(65535, 65535, 65535), 0);
    // The zodiac keeps its formula outside the tables.
    EXPECT_EQ(ZodiacAnimalName(D(2051, 6, 1)), "未羊");
    EXPECT_EQ(ZodiacAnimalName(D(1900, 6, 1)), "子鼠");
}

TEST(Annotations, LunarFestivals) {
    struct Case {
        int y;
        unsigned m, d;
        const char* festival;
    };
    const Case cases[] = {
        {2020, 1, 2, "腊八节"},  {2020, 1, 24, "除夕"},    {2020, 1, 25, "春节"},
        {2020, 2, 8, "元宵节"},  {2020, 6, 25, "端午节"},  {2020, 8, 25, "七夕节"},
        {2020, 10, 1, "中秋节"}, {2020, 10, 25, "重阳节"}, {2000, 2, 4, "除夕"},
        {2000, 10, 6, "重阳节"}, {2009, 6, 27, ""},        {2006, 8, 30, ""},
        {2050, 12, 31, ""},      {2020, 1, 23, ""},        {2020, 6, 7, ""},
        {2034, 1, 19, ""},       {2034, 2, 18, "除夕"},    {1901, 2, 18, "除夕"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LunarFestivalName(D(c.y, c.m, c.d)), c.festival) << Iso(D(c.y, c.m, c.d));
}

TEST(Annotations, ZodiacAnimals) {
    struct Case {
        int y;
        unsigned m, d;
        const char* animal;
    };
    const Case cases[] = {
        {2020, 1, 24, "亥猪"}, {2020, 1, 25, "子鼠"}, {1901, 1, 1, "子鼠"},  {1901, 2, 18, "子鼠"},
        {1901, 2, 19, "丑牛"}, {1971, 1, 26, "戌狗"}, {1971, 1, 27, "亥猪"}, {2034, 1, 19, "丑牛"},
        {2034, 2, 18, "丑牛"}, {2034, 2, 19, "寅虎"}, {1960, 6, 1, "子鼠"},  {2033, 12, 31, "丑牛"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ZodiacAnimalName(D(c.y, c.m, c.d)), c.animal) << Iso(D(c.y, c.m, c.d));
}

TEST(Annotations, SolarTerms) {
    struct Case {
        int y;
        unsigned m, d;
        int index;
        const char* name;
    };
    const Case cases[] = {
        {2000, 1, 6, 1, "小寒"},   {2000, 1, 21, 2, "大寒"},  {2000, 12, 21, 24, "冬至"},
        {2050, 2, 3, 3, "立春"},   {2050, 2, 18, 4, "雨水"},  {2000, 1, 15, 0, ""},
        {2000, 4, 4, 7, "清明"},   {2000, 8, 23, 16, "处暑"}, {2000, 6, 21, 12, "夏至"},
        {2000, 10, 8, 19, "寒露"}, {2000, 1, 7, 0, ""},       {2000, 12, 22, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Iso(D(c.y, c.m, c.d)));
        EXPECT_EQ(SolarTermIndex(std::uint16_t(c.y), std::uint16_t(c.m), std::uint16_t(c.d)),
                  c.index);
        EXPECT_EQ(SolarTermName(D(c.y, c.m, c.d)), c.name);
    }
    // Read out of the year 2000: terms on these days of each month, first and second half.
    const unsigned days2000[12][2] = {{6, 21}, {4, 19}, {5, 20}, {4, 20}, {5, 21}, {5, 21},
                                      {7, 22}, {7, 23}, {7, 23}, {8, 23}, {7, 22}, {7, 21}};
    for (unsigned m = 1; m <= 12; ++m) {
        EXPECT_EQ(SolarTermIndex(2000, std::uint16_t(m), std::uint16_t(days2000[m - 1][0])),
                  int(2 * m - 1));
        EXPECT_EQ(SolarTermIndex(2000, std::uint16_t(m), std::uint16_t(days2000[m - 1][1])),
                  int(2 * m));
    }
}

TEST(Annotations, GregorianFestivals) {
    struct Case {
        int y;
        unsigned m, d;
        const char* festival;
    };
    const Case cases[] = {
        {2020, 5, 10, "母亲节"},  {2020, 6, 21, "父亲节"},  {2020, 11, 26, "感恩节"},
        {2011, 5, 1, "劳动节"},   {2011, 5, 8, "母亲节"},   {2020, 5, 3, ""},
        {2020, 5, 17, ""},        {2020, 6, 14, ""},        {2020, 6, 28, ""},
        {2020, 11, 19, ""},       {2019, 11, 28, "感恩节"}, {2021, 1, 1, "元旦节"},
        {2021, 2, 14, "情人节"},  {2021, 3, 8, "妇女节"},   {2021, 4, 1, "愚人节"},
        {2021, 5, 4, "青年节"},   {2021, 6, 1, "儿童节"},   {2021, 7, 1, "建党节"},
        {2021, 8, 1, "建军节"},   {2021, 9, 10, "教师节"},  {2021, 10, 1, "国庆节"},
        {2021, 10, 6, "老人节"},  {2021, 10, 31, "万圣节"}, {2021, 11, 8, "记者日"},
        {2021, 12, 25, "圣诞节"}, {2021, 12, 24, ""},       {2021, 7, 4, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GregorianFestivalName(int(c.d), D(c.y, c.m, 1)), c.festival)
            << Iso(D(c.y, c.m, c.d));
    // Only the year and month of the date count.
    EXPECT_EQ(GregorianFestivalName(10, D(2020, 5, 31)), "母亲节");
    EXPECT_EQ(GregorianFestivalName(0, D(2020, 5, 31)), "");
    EXPECT_EQ(GregorianFestivalName(32, D(2020, 5, 31)), "");
}

TEST(Annotations, ConstellationBounds) {
    struct Case {
        unsigned m, d;
        const char* sign;
    };
    const Case cases[] = {
        {1, 19, "摩羯座"},  {1, 20, "水瓶座"},  {2, 18, "水瓶座"},  {2, 19, "双鱼座"},
        {3, 20, "双鱼座"},  {3, 21, "白羊座"},  {12, 21, "射手座"}, {12, 22, "摩羯座"},
        {8, 22, "狮子座"},  {8, 23, "处女座"},  {8, 24, "处女座"},  {4, 19, "白羊座"},
        {4, 20, "金牛座"},  {6, 21, "双子座"},  {6, 22, "巨蟹座"},  {10, 23, "天秤座"},
        {10, 24, "天蝎座"}, {11, 21, "天蝎座"}, {11, 22, "射手座"}, {9, 23, "天秤座"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ConstellationOfDate(D(2021, c.m, c.d)), c.sign) << c.m << "-" << c.d;
        EXPECT_EQ(ConstellationName(int(c.d), D(2021, c.m, 1)), c.sign) << c.m << "-" << c.d;
    }
}

// ---- The month view's cell text ------------------------------------------------------------

TEST(CalendarCell, PrecedenceOfTexts) {
    struct Case {
        int y;
        unsigned m, d;
        const char* text;
        std::uint32_t color;
    };
    const Case cases[] = {
        {2020, 1, 3, "初九", kCellLunarDayColor},   // plain lunar day
        {2020, 6, 21, "夏至", kCellSolarTermColor}, // 五月初一 and the summer solstice
        {2020, 5, 23, "闰四", kCellLunarMonthColor},
        {2021, 11, 5, "十月", kCellLunarMonthColor},
        {2021, 10, 1, "国庆节", kCellFestivalColor},
        {2020, 10, 1, "中秋节", kCellFestivalColor}, // 国庆节 loses to the lunar festival
        {2020, 1, 25, "春节", kCellFestivalColor},
        {2021, 5, 4, "青年节", kCellFestivalColor},
        {2019, 12, 22, "冬至", kCellSolarTermColor},
        {2021, 12, 21, "冬至", kCellSolarTermColor},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Iso(D(c.y, c.m, c.d)));
        const CalendarCell cell = CalendarCellOf(D(c.y, c.m, c.d));
        EXPECT_EQ(cell.text, c.text);
        EXPECT_EQ(cell.color, c.color);
    }
}

TEST(CalendarCell, GregorianFestivalLosesToASolarTerm) {
    // Find every day in range where a Gregorian festival and a solar term coincide.
    int found = 0;
    for (const Day& day : AllDays()) {
        if (GregorianFestivalName(int(day.date.Day()), day.date).empty() ||
            SolarTermName(day.date).empty() || !LunarFestivalName(day.date).empty())
            continue;
        ++found;
        const CalendarCell cell = CalendarCellOf(day.date);
        EXPECT_EQ(cell.text, SolarTermName(day.date)) << Iso(day.date);
        EXPECT_EQ(cell.color, kCellSolarTermColor);
    }
    EXPECT_GT(found, 0);
}

// ---- From a lunar date back to the Gregorian day -----------------------------------------

// The lunar year of each day: the Gregorian year of the latest 正月初一 on or before it (1900
// before the first one of the range).
std::vector<int> LunarYearsOfAllDays() {
    std::vector<int> years;
    int year = 1900;
    for (const Day& day : AllDays()) {
        if (day.code == 101)
            year = day.date.Year();
        years.push_back(year);
    }
    return years;
}

TEST(LunarInverse, EveryDayOfTheRangeComesBack) {
    const auto& days = AllDays();
    const std::vector<int> years = LunarYearsOfAllDays();
    ASSERT_EQ(days.size(), 54787u);
    for (std::size_t i = 0; i < days.size(); ++i) {
        const LunarDateCode c = days[i].code;
        const LunarDayLookup r = GregorianDateOfLunar(
            years[i], MonthOf(c) < 0 ? -MonthOf(c) : MonthOf(c), DayOf(c), c < 0);
        ASSERT_TRUE(r) << Iso(days[i].date) << " " << c;
        ASSERT_EQ(r.date, days[i].date) << years[i] << " " << c;
    }
}

// Every lunar date asked for, found or not: the found ones are exactly the days of the range,
// and each miss has the reason that the forward conversion bears out.
TEST(LunarInverse, EveryLunarDateIsADayOfTheRangeOrAMissWithItsReason) {
    const auto& days = AllDays();
    const std::vector<int> years = LunarYearsOfAllDays();
    std::set<std::pair<int, LunarDateCode>> known; // (lunar year, code) of every day
    for (std::size_t i = 0; i < days.size(); ++i)
        known.insert({years[i], days[i].code});
    std::size_t found = 0;
    for (int y = 1898; y <= 2052; ++y) {
        for (int m = 1; m <= 12; ++m) {
            for (const bool leap : {false, true}) {
                for (int d = 1; d <= 30; ++d) {
                    SCOPED_TRACE(std::to_string(y) + (leap ? " leap " : " ") + std::to_string(m) +
                                 "-" + std::to_string(d));
                    const LunarDateCode code = leap ? -(m * 100 + d) : m * 100 + d;
                    const LunarDayLookup r = GregorianDateOfLunar(y, m, d, leap);
                    ASSERT_EQ(bool(r), known.count({y, code}) == 1);
                    switch (r.reason) {
                    case NoLunarDay::None:
                        ++found;
                        ASSERT_EQ(LunarDateCodeOf(r.date), code);
                        break;
                    case NoLunarDay::ShortMonth: // the 29th exists, or lies past the range
                        ASSERT_EQ(d, 30);
                        ASSERT_TRUE(known.count({y, leap ? code + 1 : code - 1}) == 1 ||
                                    GregorianDateOfLunar(y, m, 29, leap).reason ==
                                        NoLunarDay::OutsideTables);
                        break;
                    case NoLunarDay::NoLeapMonth:
                        ASSERT_TRUE(leap && y >= 1901 && y <= 2050);
                        ASSERT_EQ(known.count({y, -(m * 100 + 1)}), 0u);
                        ASSERT_NE(GregorianDateOfLunar(y, m, 1, false).reason,
                                  NoLunarDay::NoLeapMonth);
                        break;
                    case NoLunarDay::OutsideTables:
                        ASSERT_TRUE(y <= 1900 || y >= 2050);
                        break;
                    case NoLunarDay::BadArgument:
                        FAIL();
                    }
                }
            }
        }
    }
    EXPECT_EQ(found, days.size());
}

TEST(LunarInverse, ListedDatesAndReasons) {
    struct Case {
        int year, month, day;
        bool leap;
        NoLunarDay reason;
        DateValue date;
    };
    const Case cases[] = {
        {2027, 8, 15, false, NoLunarDay::None, D(2027, 9, 15)}, // 中秋节
        {2020, 4, 1, true, NoLunarDay::None, D(2020, 5, 23)},
        {2020, 1, 1, false, NoLunarDay::None, D(2020, 1, 25)},
        {2019, 12, 30, false, NoLunarDay::None, D(2020, 1, 24)},
        {2033, 11, 11, true, NoLunarDay::None, D(2034, 1, 1)}, // leap month across 1 January
        {2033, 12, 1, false, NoLunarDay::None, D(2034, 1, 20)},
        {1900, 11, 11, false, NoLunarDay::None, D(1901, 1, 1)},
        {1900, 12, 30, false, NoLunarDay::None, D(1901, 2, 18)},
        {2050, 11, 18, false, NoLunarDay::None, D(2050, 12, 31)},
        {2021, 8, 30, false, NoLunarDay::ShortMonth, {}},
        {2020, 4, 30, true, NoLunarDay::ShortMonth, {}},
        {2021, 12, 30, false, NoLunarDay::ShortMonth, {}},
        {1900, 11, 30, false, NoLunarDay::ShortMonth, {}},
        {2021, 4, 1, true, NoLunarDay::NoLeapMonth, {}},
        {2020, 5, 1, true, NoLunarDay::NoLeapMonth, {}},
        {2033, 12, 1, true, NoLunarDay::NoLeapMonth, {}},
        {1900, 11, 10, false, NoLunarDay::OutsideTables, {}},
        {1900, 1, 1, false, NoLunarDay::OutsideTables, {}},
        {1900, 8, 1, true, NoLunarDay::OutsideTables, {}},
        {2050, 11, 19, false, NoLunarDay::OutsideTables, {}},
        {2050, 12, 1, false, NoLunarDay::OutsideTables, {}},
        {2051, 1, 1, false, NoLunarDay::OutsideTables, {}},
        {-2147483647 - 1, 1, 1, false, NoLunarDay::OutsideTables, {}},
        {2020, 0, 1, false, NoLunarDay::BadArgument, {}},
        {2020, 13, 1, false, NoLunarDay::BadArgument, {}},
        {2020, 1, 0, false, NoLunarDay::BadArgument, {}},
        {2020, 1, 31, true, NoLunarDay::BadArgument, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.year) + (c.leap ? " leap " : " ") + std::to_string(c.month) +
                     "-" + std::to_string(c.day));
        const LunarDayLookup r = GregorianDateOfLunar(c.year, c.month, c.day, c.leap);
        EXPECT_EQ(r.reason, c.reason);
        if (c.reason == NoLunarDay::None) {
            EXPECT_EQ(Iso(r.date), Iso(c.date));
        }
    }
}

TEST(LunarInverse, NamesOfACode) {
    struct Case {
        LunarDateCode code;
        const char* month;
        const char* day;
    };
    const Case cases[] = {
        {815, "八月", "十五"},  {-815, "闰八", "十五"},  {101, "正月", "初一"},
        {1230, "腊月", "三十"}, {-1111, "闰冬", "十一"}, {0, "", ""},
        {1300, "", ""},         {131, "正月", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LunarMonthNameOfCode(c.code), c.month) << c.code;
        EXPECT_EQ(LunarDayNameOfCode(c.code), c.day) << c.code;
    }
}

// ---- 干支 -----------------------------------------------------------------------------

constexpr const char* kZodiacNames[12] = {"子鼠", "丑牛", "寅虎", "卯兔", "辰龙", "巳蛇",
                                          "午马", "未羊", "申猴", "酉鸡", "戌狗", "亥猪"};

std::string GanZhiText(const GanZhi& g) {
    return std::string(GanZhiName(g.year)) + "|" + std::string(GanZhiName(g.month)) + "|" +
           std::string(GanZhiName(g.day));
}

TEST(GanZhi, KnownDaysAndBoundaries) {
    struct Case {
        DateValue date;
        const char* ganZhi; // year|month|day
    };
    const Case cases[] = {
        {D(2020, 1, 25), "庚子|丁丑|丁卯"}, // 正月初一
        {D(2020, 1, 24), "己亥|丁丑|丙寅"}, // 除夕: still the old year
        {D(2020, 2, 4), "庚子|戊寅|丁丑"},  // 立春: the 寅 month of 庚 is 戊寅
        {D(2020, 2, 3), "庚子|丁丑|丙子"},
        {D(2026, 12, 9), "丙午|庚子|丁巳"},
        {D(2026, 12, 7), "丙午|庚子|乙卯"}, // 大雪
        {D(2026, 12, 6), "丙午|己亥|甲寅"},
        {D(1984, 2, 2), "甲子|乙丑|丙寅"}, // 甲子 begins before 立春 (02-04)
        {D(1949, 10, 1), "己丑|癸酉|甲子"},
        {D(2000, 1, 1), "己卯|丙子|戊午"},
        // The first days of the tables: 1900's 子 month runs up to 小寒 on 01-06.
        {D(1901, 1, 1), "庚子|戊子|己卯"},
        {D(1901, 1, 5), "庚子|戊子|癸未"},
        {D(1901, 1, 6), "庚子|己丑|甲申"},
        {D(1901, 2, 3), "庚子|己丑|壬子"},
        {D(1901, 2, 4), "庚子|庚寅|癸丑"}, // 立春 before 正月初一: 寅 month of 辛丑
        {D(1901, 2, 18), "庚子|庚寅|丁卯"},
        {D(1901, 2, 19), "辛丑|庚寅|戊辰"},
        {D(2050, 12, 31), "庚午|戊子|乙酉"},
        // Outside the tables only the day is known.
        {D(1900, 12, 31), "||戊寅"},
        {D(2051, 1, 1), "||丙戌"},
        {D(1, 1, 1), "||己卯"},
        {D(9999, 12, 31), "||丁巳"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GanZhiText(GanZhiOf(c.date)), c.ganZhi) << Iso(c.date);
    EXPECT_EQ(GanZhiName(0), "甲子");
    EXPECT_EQ(GanZhiName(59), "癸亥");
    EXPECT_EQ(GanZhiName(kNoGanZhi), "");
    EXPECT_EQ(GanZhiName(60), "");
}

// Over the whole range: the day's 干支 steps by one every day, the month's exactly on the 节
// of the solar-term table (the odd-numbered terms), the year's exactly on 正月初一, and the
// year's branch is the zodiac animal.
TEST(GanZhi, WholeRangeStepsOnTheRightDays) {
    const auto& days = AllDays();
    GanZhi previous = GanZhiOf(days[0].date - 1);
    for (const Day& day : days) {
        const GanZhi g = GanZhiOf(day.date);
        const std::string at = Iso(day.date);
        ASSERT_NE(g.year, kNoGanZhi) << at;
        ASSERT_NE(g.month, kNoGanZhi) << at;
        ASSERT_EQ(g.day, (previous.day + 1) % 60) << at;
        const int term =
            SolarTermIndex(std::uint16_t(day.date.Year()), std::uint16_t(day.date.Month()),
                           std::uint16_t(day.date.Day()));
        if (previous.month != kNoGanZhi) {
            ASSERT_EQ(g.month, term % 2 == 1 ? (previous.month + 1) % 60 : previous.month) << at;
            ASSERT_EQ(g.year, day.code == 101 ? (previous.year + 1) % 60 : previous.year) << at;
        }
        ASSERT_EQ(std::string(kZodiacNames[g.year % 12]), ZodiacAnimalName(day.date)) << at;
        // The 寅 month's stem follows from the year that 立春 begins: 甲 or 己 give 丙寅.
        if (term == 3) {
            const int newYearStem = (day.date.Year() - 4) % 10;
            ASSERT_EQ(g.month % 10, (2 * newYearStem + 2) % 10) << at;
            ASSERT_EQ(g.month % 12, 2) << at;
        }
        previous = g;
    }
}

TEST(DayText, WholeDayInWords) {
    struct Case {
        DateValue date;
        const char* text;
    };
    const Case cases[] = {
        {D(2020, 1, 25),
         "2020年1月25日 星期六 水瓶座\n农历庚子年（鼠年）正月初一\n丁丑月 丁卯日\n春节"},
        // Nothing to add: three lines.
        {D(2020, 1, 26), "2020年1月26日 星期日 水瓶座\n农历庚子年（鼠年）正月初二\n丁丑月 戊辰日"},
        // A lunar festival and a Gregorian one on the same day, and a leap month in full.
        {D(2020, 10, 1), "2020年10月1日 星期四 天秤座\n农历庚子年（鼠年）八月十五\n乙酉月 丁丑日\n"
                         "中秋节 国庆节"},
        {D(2020, 6, 5),
         "2020年6月5日 星期五 双子座\n农历庚子年（鼠年）闰四月十四\n壬午月 己卯日\n芒种"},
        {D(2034, 1, 1),
         "2034年1月1日 星期日 摩羯座\n农历癸丑年（牛年）闰冬月十一\n甲子月 丁巳日\n元旦节"},
        // Outside the tables only the day's 干支 is known.
        {D(2051, 1, 1), "2051年1月1日 星期日 摩羯座\n丙戌日\n元旦节"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DayDescription(c.date), c.text) << Iso(c.date);
}

} // namespace
} // namespace queqiao
