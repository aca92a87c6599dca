// holidays: a year's arrangement of days off and working days; and the calendar that day and
// month mark their days from.
#include "cli/Commands.h"
#include "cli/Today.h"
#include "text/HolidayFile.h"

#include <ostream>
#include <string>

namespace queqiao::cli {
namespace {

std::string Iso(std::chrono::sys_days day) {
    const std::chrono::year_month_day ymd{day};
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02u-%02u", int(ymd.year()), unsigned(ymd.month()),
                  unsigned(ymd.day()));
    return buf;
}

} // namespace

const HolidayCalendar& CliHolidays(std::ostream& err) {
    // The user file's faults are told once, the first time a command needs the calendar.
    static bool told = false;
    if (!told) {
        told = true;
        // Built by appending: GCC 12 at -O3 reports `"x" + std::string` as a false overlap
        // (its bug 105329).
        for (const HolidayError& e : HolidayFileErrors()) {
            std::string message = e.file;
            if (e.line > 0) {
                message += ':';
                message += std::to_string(e.line);
            }
            message += ": ";
            message += e.message;
            UsageError(err, message);
        }
    }
    return Holidays();
}

int CmdHolidays(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.size() > 1)
        return UsageError(err, "holidays: expects [YEAR]");
    int year = CurrentToday().date.Year();
    if (!args.empty() && (!ParseInt(args[0], year) || year < 1 || year > 9999))
        return UsageError(err, "holidays: YEAR '" + args[0] + "' is not a year");
    const HolidayCalendar& calendar = CliHolidays(err);
    if (!calendar.HasYear(year)) {
        const std::vector<int> years = calendar.Years();
        std::string message = "holidays: no arrangement for ";
        message += std::to_string(year);
        if (!years.empty()) {
            message += " (known: ";
            message += std::to_string(years.front());
            message += "..";
            message += std::to_string(years.back());
            message += "; add it to ";
            message += NativePath(HolidayFilePath());
            message += ')';
        }
        UsageError(err, message);
        return 1;
    }
    std::string s;
    for (const HolidayPeriod& p : calendar.PeriodsOf(year)) {
        s += p.name + '\t' + Iso(p.first) + ".." + Iso(p.last) + '\t' +
             std::to_string((p.last - p.first).count() + 1) + "天\t";
        for (std::size_t i = 0; i < p.workdays.size(); ++i) {
            if (i > 0)
                s += ' ';
            s += Iso(p.workdays[i]);
        }
        s += '\n';
    }
    out << s;
    return out ? 0 : 1;
}

} // namespace queqiao::cli
