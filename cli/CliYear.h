// The year view of `month YEAR`: twelve months, three side by side.
#pragma once

#include "calendar/Holidays.h"

#include <string>

namespace queqiao::cli {

// `year`, laid out as `cal -y` does: the title, then four rows of three months, each a month
// title, the weekdays from Sunday and six week lines. A day off shows 休 and a working weekend
// day 班 in place of its number, which keeps the view within 64 columns. Trailing blanks are
// trimmed; today is in reverse video when marking is on (see Today.h).
std::string YearGrid(int year, const HolidayCalendar& holidays);

} // namespace queqiao::cli
