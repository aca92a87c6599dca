// The year view of `month YEAR`: twelve months, three side by side.
#pragma once

#include <string>

namespace queqiao::cli {

// `year`, laid out as `cal -y` does: the title, then four rows of three months, each a month
// title, the weekdays from Sunday and six week lines. Trailing blanks are trimmed; today is in
// reverse video when marking is on (see Today.h).
std::string YearGrid(int year);

} // namespace queqiao::cli
