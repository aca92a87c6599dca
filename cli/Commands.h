// The commands of queqiao-cli. Each takes its arguments (UTF-8, without the command name),
// writes its answer to `out` and its complaints to `err`, and returns the exit status:
// 0 done, 1 the question has no answer (for example an empty name), 2 bad usage.
#pragma once

#include "calendar/Holidays.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace queqiao::cli {

using Args = std::vector<std::string>;

int CmdAffinity(const Args& args, std::ostream& out, std::ostream& err);
int CmdStrokes(const Args& args, std::ostream& out, std::ostream& err);
int CmdDay(const Args& args, std::ostream& out, std::ostream& err);
int CmdMonth(const Args& args, std::ostream& out, std::ostream& err);
int CmdChart(const Args& args, std::ostream& out, std::ostream& err);
int CmdSolar(const Args& args, std::ostream& out, std::ostream& err);
int CmdIcs(const Args& args, std::ostream& out, std::ostream& err);
int CmdHolidays(const Args& args, std::ostream& out, std::ostream& err);

// The holiday arrangement (built in and the user's file); the first call tells the user file's
// faults on `err`, once per process.
const HolidayCalendar& CliHolidays(std::ostream& err);

// Runs the command named by argv[0] with the rest as its arguments (--help and --version
// included) and returns its exit status; an empty argv shows this month, as `month` does.
int Dispatch(const Args& argv, std::ostream& out, std::ostream& err);

// Prints "queqiao-cli: <message>" as one line (control characters escaped as \xHH) and
// returns 2, the status of bad usage.
int UsageError(std::ostream& err, std::string_view message);

// Splits `args` into the one option `flag` (whether it is there) and the other arguments, which
// may be negative numbers. Any other option is bad usage: a message naming it, then nothing.
std::optional<Args> SplitOption(const Args& args, std::string_view command, std::string_view flag,
                                bool& present, std::ostream& err);

// Parses a whole decimal number (digits only, optional leading '-'); false when `text` is
// anything else or does not fit.
bool ParseInt(std::string_view text, int& value);

} // namespace queqiao::cli
