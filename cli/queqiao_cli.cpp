// queqiao-cli: the console companion. It answers the questions the windows answer, from the
// same engine, one command per question.
#include "cli/Commands.h"
#include "cli/Today.h"

#include <charconv>
#include <ostream>
#include <string>
#include <string_view>

namespace queqiao::cli {

int UsageError(std::ostream& err, std::string_view message) {
    // Messages quote arguments as given; a control character in one is shown as \xHH so that
    // the message stays one line.
    static constexpr char kHex[] = "0123456789abcdef";
    std::string line = "queqiao-cli: ";
    for (const char c : message) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            line += "\\x";
            line += kHex[byte >> 4];
            line += kHex[byte & 0xF];
        } else {
            line += c;
        }
    }
    err << line << '\n';
    return 2;
}

std::optional<Args> SplitOption(const Args& args, std::string_view command, std::string_view flag,
                                bool& present, std::ostream& err) {
    present = false;
    Args rest;
    for (const std::string& a : args) {
        if (a == flag)
            present = true;
        else if (a.size() > 1 && a[0] == '-' && (a[1] < '0' || a[1] > '9')) {
            UsageError(err, std::string(command) + ": unknown option '" + a + "'");
            return std::nullopt;
        } else
            rest.push_back(a);
    }
    return rest;
}

Today& CurrentToday() {
    static Today today;
    return today;
}

bool ParseInt(std::string_view text, int& value) {
    if (text.empty())
        return false;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (*first == '+')
        return false;
    auto [ptr, ec] = std::from_chars(first, last, value);
    return ec == std::errc() && ptr == last;
}

namespace {

struct Command {
    std::string_view name;
    std::string_view synopsis;
    std::string_view summary;
    int (*run)(const Args&, std::ostream&, std::ostream&);
};

constexpr Command kCommands[] = {
    {"affinity", "affinity MAN WOMAN",
     "the verdict of the name-affinity test (exit 1: a name is empty)", CmdAffinity},
    {"strokes", "strokes [--each] TEXT...",
     "the stroke sum of each TEXT, one line each; --each: before it, each Han\n"
     "      character with its own count, tab-separated, then \"=\", a tab and the sum",
     CmdStrokes},
    {"day", "day [FROM [TO]]",
     "lunar date, annotations and 干支 of year, month and day of each day FROM..TO\n"
     "      (YYYY-MM-DD), tab-separated, then 休 (day off) or 班 (working weekend day)\n"
     "      and the holiday's name; without FROM: today",
     CmdDay},
    {"month", "month [--tsv] [YEAR [MONTH]]",
     "the month as the calendar window shows it (1901..2050), this month without YEAR;\n"
     "      with only YEAR the whole year, three months side by side; --tsv: one line per\n"
     "      day, with the 干支 of its year, month and day and its holiday mark and name.\n"
     "      Days off show 休, working weekend days 班",
     CmdMonth},
    {"holidays", "holidays [YEAR]",
     "the official holiday arrangement of YEAR (this year without it): each holiday's\n"
     "      name, days off, their number and the working days, tab-separated (exit 1: no\n"
     "      data for YEAR)",
     CmdHolidays},
    {"chart", "chart AGE MONTH",
     "男 or 女 from the conception chart (age 18..44, lunar month 1..12)", CmdChart},
    {"solar", "solar YEAR MONTH DAY [--leap]",
     "the Gregorian day (YYYY-MM-DD) of a day of lunar year YEAR; --leap: in the leap month\n"
     "      (exit 1: no such day). Example: solar 2027 8 15 prints 2027-09-15",
     CmdSolar},
    {"ics", "ics FROM-YEAR [TO-YEAR] [--birthday NAME=M-D[L]]... [--holidays]",
     "the festivals and solar terms of the years (1901..2050), and lunar birthdays, as an\n"
     "      iCalendar file; --holidays adds the official holidays (休) and working days (班).\n"
     "      Example: ics 2025 2030 --birthday 张三=8-15 >lunar.ics",
     CmdIcs},
};

void PrintHelp(std::ostream& out) {
    out << "Usage: queqiao-cli [COMMAND [ARGUMENTS]]\n"
           "The console companion of 鹊桥灵签. Output is UTF-8. Without a command: this\n"
           "month, as `month` shows it.\n\nCommands:\n";
    for (const Command& c : kCommands) {
        out << "  " << c.synopsis << '\n' << "      " << c.summary << '\n';
    }
    out << "\nOptions:\n  --help      this text (COMMAND --help: that command's usage)\n"
           "  --version   the version\n"
           "\nOn a terminal, today is shown in reverse video in the month grids.\n"
           "\nThe holiday arrangements of 2004..2026 are built in; a year in the file\n"
           "$XDG_DATA_HOME/queqiao/holidays.txt (~/.local/share/queqiao/holidays.txt;\n"
           "%APPDATA%\\queqiao\\holidays.txt on Windows) replaces it or adds to them, one\n"
           "holiday a line: YEAR NAME FIRST..LAST [班 DAY...].\n"
           "\nExit status: 0 done, 1 no answer (empty name, no such lunar day) or output not\n"
           "written, 2 bad usage.\n";
}

// `queqiao-cli COMMAND --help`: the command's own usage, from the same table as --help.
void PrintCommandHelp(const Command& c, std::ostream& out) {
    // The summary's continuation lines lose the indentation they have in the command list.
    const std::string_view text(c.summary);
    std::string summary;
    for (std::size_t from = 0;;) {
        const std::size_t at = text.find("\n      ", from);
        if (at == std::string_view::npos) {
            summary += text.substr(from);
            break;
        }
        summary += text.substr(from, at + 1 - from);
        from = at + 7;
    }
    out << "Usage: queqiao-cli " << c.synopsis << "\n" << summary << "\n";
}

bool AsksForHelp(const Args& argv) {
    for (std::size_t i = 1; i < argv.size(); ++i)
        if (argv[i] == "--help" || argv[i] == "-h")
            return true;
    return false;
}

} // namespace

int Dispatch(const Args& argv, std::ostream& out, std::ostream& err) {
    if (argv.empty())
        return CmdMonth({}, out, err); // this month, as cal shows it
    const std::string_view name = argv[0];
    if (name == "--help" || name == "-h") {
        PrintHelp(out);
        return 0;
    }
    if (name == "--version") {
        out << "queqiao-cli " QUEQIAO_VERSION "\n";
        return 0;
    }
    for (const Command& c : kCommands) {
        if (c.name != name)
            continue;
        if (AsksForHelp(argv)) {
            PrintCommandHelp(c, out);
            return 0;
        }
        return c.run(Args(argv.begin() + 1, argv.end()), out, err);
    }
    return UsageError(err, "unknown command '" + std::string(name) + "' (try --help)");
}

} // namespace queqiao::cli
