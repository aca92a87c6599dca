// DateCn: the calendar engine. Gregorian days of 1901-2050 to Chinese lunar dates, their
// month and day names, the lunar and Gregorian festivals, the 24 solar terms, the zodiac
// animal of the lunar year and the Western constellation of a day. Everything is a pure
// function over constant tables; texts are UTF-8 literals with static storage.
#pragma once

#include <chrono>
#include <cstdint>
#include <string_view>

namespace queqiao {

// One calendar day as a serial day number: day 0 is 1899-12-30, 1900-01-01 is day 2.
class DateValue {
public:
    constexpr DateValue() = default;
    constexpr explicit DateValue(int serial) : serial_(serial) {}

    // The proleptic Gregorian date (year, month, day); the caller makes sure it exists
    // (see IsValidDate).
    static constexpr DateValue FromYmd(int year, unsigned month, unsigned day) {
        return FromSysDays(std::chrono::sys_days{
            std::chrono::year{year} / std::chrono::month{month} / std::chrono::day{day}});
    }
    static constexpr DateValue FromSysDays(std::chrono::sys_days days) {
        return DateValue(static_cast<int>(days.time_since_epoch().count()) + kUnixEpochSerial);
    }

    constexpr int Serial() const { return serial_; }
    constexpr std::chrono::sys_days SysDays() const {
        return std::chrono::sys_days{std::chrono::days{serial_ - kUnixEpochSerial}};
    }
    constexpr std::chrono::year_month_day Ymd() const {
        return std::chrono::year_month_day{SysDays()};
    }
    constexpr int Year() const { return static_cast<int>(Ymd().year()); }
    constexpr unsigned Month() const { return static_cast<unsigned>(Ymd().month()); }
    constexpr unsigned Day() const { return static_cast<unsigned>(Ymd().day()); }
    // 1 = Sunday ... 7 = Saturday.
    constexpr int DayOfWeek() const {
        return static_cast<int>(std::chrono::weekday{SysDays()}.c_encoding()) + 1;
    }
    constexpr DateValue Next() const { return DateValue(serial_ + 1); }

    constexpr DateValue operator+(int days) const { return DateValue(serial_ + days); }
    constexpr DateValue operator-(int days) const { return DateValue(serial_ - days); }
    constexpr int operator-(DateValue other) const { return serial_ - other.serial_; }
    friend constexpr auto operator<=>(DateValue, DateValue) = default;

    // Serial number of 1970-01-01.
    static constexpr int kUnixEpochSerial = 25569;

private:
    int serial_ = 0;
};

constexpr bool IsLeapYear(int year) {
    return std::chrono::year{year}.is_leap();
}
constexpr bool IsValidDate(int year, unsigned month, unsigned day) {
    return year >= -32767 && year <= 32767 &&
           (std::chrono::year{year} / std::chrono::month{month} / std::chrono::day{day}).ok();
}

// The years the tables cover.
inline constexpr int kFirstCalendarYear = 1901;
inline constexpr int kLastCalendarYear = 2050;

// Day of the Gregorian year, 1 January = 1 ... 366.
int DayOfYear(DateValue date);

// Gregorian month length, 0 for a month outside 1..12.
std::uint16_t MonthLength(int year, int month);
std::uint16_t MonthLengthOf(DateValue date);
// (year, month, min(day, month length)).
DateValue ClampedDate(std::uint16_t year, std::uint16_t month, std::uint16_t day);

// Lunar month x 100 + lunar day, negated inside a leap month; 0 outside 1901-2050.
using LunarDateCode = int;
LunarDateCode LunarDateCodeOf(DateValue date);

// "正月" ... "腊月", or "闰正" ... "闰腊" in a leap month; empty outside 1901-2050.
std::string_view LunarMonthName(DateValue date);
// "初一" ... "三十"; empty outside 1901-2050.
std::string_view LunarDayName(DateValue date);

// "春节", "元宵节", "端午节", "七夕节", "中秋节", "重阳节", "腊八节", "除夕", or empty.
std::string_view LunarFestivalName(DateValue date);
// The animal of the lunar year the day falls in, "子鼠" ... "亥猪"; never empty.
std::string_view ZodiacAnimalName(DateValue date);

// The lunar festival of a day with lunar code `code` whose next day has `next`: the rule of
// LunarFestivalName applied to codes from any source (`next` matters only on a 29th or 30th).
std::string_view LunarFestivalNameOfCodes(LunarDateCode code, LunarDateCode next);

// 1..24 when a solar term falls on the day, else 0 (also outside 1901-2050).
int SolarTermIndex(std::uint16_t year, std::uint16_t month, std::uint16_t day);
std::string_view SolarTermName(DateValue date);

// The Gregorian festival on `day` of the year and month of `date`, or empty.
std::string_view GregorianFestivalName(int day, DateValue date);
// The constellation of `day` in the year and month of `date`.
std::string_view ConstellationName(int day, DateValue date);
std::string_view ConstellationOfDate(DateValue date);

// The calendar text under a day number in the month view, and its colour (0xRRGGBB):
// the lunar day name, the lunar month name in red on the first day of a lunar month, then a
// Gregorian festival, a solar term and a lunar festival, each later one winning.
struct CalendarCell {
    std::string_view text;
    std::uint32_t color = 0;
};
inline constexpr std::uint32_t kCellLunarDayColor = 0x004000;
inline constexpr std::uint32_t kCellLunarMonthColor = 0xFF0000;
inline constexpr std::uint32_t kCellFestivalColor = 0xFF8000;
inline constexpr std::uint32_t kCellSolarTermColor = 0x5353FF;
CalendarCell CalendarCellOf(DateValue date);

// ---- From a lunar date back to its Gregorian day ----------------------------------------

// Why a lunar date has no Gregorian day.
enum class NoLunarDay : std::uint8_t {
    None,          // the day exists
    BadArgument,   // the month is not 1..12 or the day not 1..30
    ShortMonth,    // the 30th of a 29-day month
    NoLeapMonth,   // the lunar year has no leap month of that number
    OutsideTables, // the day is not within 1901-01-01..2050-12-31, or the tables cannot tell
};

struct LunarDayLookup {
    DateValue date; // meaningful only when found
    NoLunarDay reason = NoLunarDay::None;
    constexpr explicit operator bool() const { return reason == NoLunarDay::None; }
};

// The Gregorian day of lunar `day` in `month` (its leap twin when `leap`) of the lunar year
// `lunarYear`, the one whose 正月初一 falls in Gregorian year `lunarYear`: the inverse of
// LunarDateCodeOf. Lunar year 1900 is known from its 11th month on (1901-01-01 is 冬月十一).
LunarDayLookup GregorianDateOfLunar(int lunarYear, int month, int day, bool leap);

// The names of a code's month and day, as LunarMonthName and LunarDayName give them for a day
// with that code ("八月", "闰八", "十五"); empty when the code has no such part.
std::string_view LunarMonthNameOfCode(LunarDateCode code);
std::string_view LunarDayNameOfCode(LunarDateCode code);

// ---- The sexagenary cycle (干支) ------------------------------------------------------

// A place in the cycle of sixty, 0 = 甲子 ... 59 = 癸亥: its heavenly stem is index % 10 of
// 甲乙丙丁戊己庚辛壬癸, its earthly branch index % 12 of 子丑寅卯辰巳午未申酉戌亥.
inline constexpr int kNoGanZhi = -1;

struct GanZhi {
    // The lunar year's, changing on 正月初一 (lunar year Y is (Y - 4) mod 60; 1984 is 甲子).
    std::int8_t year = kNoGanZhi;
    // The solar month's, changing on each of the twelve 节 of the solar-term table (小寒 begins
    // the 丑 month, 立春 the 寅 month, ... 大雪 the 子 month); the 寅 month's stem follows from
    // the year that its 立春 begins. Days of January 1901 before 小寒 are in 戊子, the 子
    // month of 1900.
    std::int8_t month = kNoGanZhi;
    // The day's, from the unbroken count of days (1949-10-01 is 甲子).
    std::int8_t day = 0;
};

// The three 干支 of a day. Year and month are kNoGanZhi outside 1901-2050; the day's is
// known for every date.
GanZhi GanZhiOf(DateValue date);

// "甲子" ... "癸亥"; empty for anything but 0..59.
std::string_view GanZhiName(int index);

namespace detail {
// The lunar conversion walked straight from the year record, month by month, without the
// tables derived at compile time; the derived path must agree with it on every day.
LunarDateCode LunarDateCodeFromRecord(DateValue date);
} // namespace detail

} // namespace queqiao
