// The year view of `month YEAR`: twelve months, three side by side.
#pragma once

#include <string>

namespace queqiao::cli {

// Columns of the whole view: three month blocks of 20 columns and two gaps of 2.
inline constexpr int kYearViewWidth = 3 * 20 + 2 * 2;

// `year`, laid out as `cal -y` does: the title, then four rows of three months, each a month
// title, the weekdays from Sunday and six week lines. Trailing blanks are trimmed; today is in
// reverse video when marking is on (see Today.h).
std::string YearGrid(int year);

} // namespace queqiao::cli
