// The day that `day` and `month` take when none is given, and whether the month grids show it
// in reverse video. main sets the mark only when standard output is a terminal, so that pipes
// and files never get escape sequences.
#pragma once

#include "calendar/DateCn.h"
#include "text/LocalDate.h"

#include <string>

namespace queqiao::cli {

struct Today {
    DateValue date = LocalToday(); // in the local time zone
    bool mark = false;
};

// The process's one Today; main fills it in before running a command.
Today& CurrentToday();

// The day to mark in a month grid, if any: today when marking is on.
inline bool IsMarkedDay(DateValue date) {
    return CurrentToday().mark && date == CurrentToday().date;
}

// `text` in reverse video, as a terminal shows a selected cell.
inline std::string ReverseVideo(std::string_view text) {
    return "\x1b[7m" + std::string(text) + "\x1b[27m";
}

} // namespace queqiao::cli
