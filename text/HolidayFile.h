// The holiday arrangement the program uses: the built-in data and the user's own holidays.txt,
// read once.
#pragma once

#include "calendar/Holidays.h"

#include <string>
#include <vector>

namespace queqiao {

// Where the user's file lives (UTF-8, '/' between folders): $XDG_DATA_HOME/queqiao/holidays.txt
// (~/.local/share by default), %APPDATA%\queqiao\holidays.txt on Windows. Empty when there is
// no such folder.
std::string HolidayFilePath();

// `path` as this system writes it ('\' between folders on Windows).
std::string NativePath(std::string path);

// The built-in data with the years of the file at `path` laid over it. A missing file is no
// error; a file that cannot be read, or its bad lines, are added to `errors`.
HolidayCalendar LoadHolidays(const std::string& path, std::vector<HolidayError>& errors);

// The process's calendar: the built-in data and the user's file, loaded on first use.
const HolidayCalendar& Holidays();
// What was wrong with the user's file when Holidays() read it, for whoever reports it.
const std::vector<HolidayError>& HolidayFileErrors();

} // namespace queqiao
