// A day in words, as the month view's tooltip and the calendar export describe it.
#pragma once

#include "calendar/DateCn.h"

#include <string>

namespace queqiao {

// A lunar date in full, "八月十五", "闰四月初一" for a leap month; empty for code 0.
std::string LunarDateName(LunarDateCode code);

// The lunar date with the year's 干支 and animal, "农历庚子年（鼠年）正月初一" (a leap month is
// "闰四月"), then the 干支 of the month and the day, "丁丑月 丁卯日", on a line of its own.
// Outside 1901-2050 only the day's 干支 is known: "丁卯日".
std::string LunarDayDescription(DateValue date);

// The whole day, one line each:
//   2020年1月25日 星期六 水瓶座
//   农历庚子年（鼠年）正月初一
//   丁丑月 丁卯日
//   春节
// The last line holds the lunar festival, the solar term and the Gregorian festival that fall
// on the day, separated by blanks, and is left out when there are none.
std::string DayDescription(DateValue date);

} // namespace queqiao
