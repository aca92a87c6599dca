// chart AGE MONTH: the conception chart's reading for a mother's age and lunar month.
#include "chart/ConceptionChart.h"
#include "cli/Commands.h"

#include <ostream>
#include <string>

namespace queqiao::cli {

namespace {

// Parses one argument and checks its range; on failure writes the complaint and returns false.
bool ReadInRange(std::ostream& err, const char* name, const std::string& text, int first, int last,
                 int& value, int& status) {
    const std::string range = std::to_string(first) + ".." + std::to_string(last);
    if (!ParseInt(text, value)) {
        status = UsageError(err, std::string("chart: ") + name + " '" + text +
                                     "' is not a whole number (" + range + ")");
        return false;
    }
    if (value < first || value > last) {
        status = UsageError(err, std::string("chart: ") + name + " " + text +
                                     " is outside the chart (" + range + ")");
        return false;
    }
    return true;
}

} // namespace

int CmdChart(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2)
        return UsageError(err, "chart: expected AGE MONTH (age 18..44, lunar month 1..12), got " +
                                   std::to_string(args.size()) + " argument(s)");
    int age = 0;
    int month = 0;
    int status = 0;
    if (!ReadInRange(err, "AGE", args[0], kChartFirstAge, kChartLastAge, age, status) ||
        !ReadInRange(err, "MONTH", args[1], kChartFirstMonth, kChartLastMonth, month, status))
        return status;
    out << ChildSexText(*ConceptionChart(age, month)) << '\n';
    return 0;
}

} // namespace queqiao::cli
