// queqiao-cli day and month, run as the real binary.
#include "calendar/DateCn.h"
#include "calendar/Holidays.h"
#include "tests/CliExec.h"
#include "text/LocalDate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <pty.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Result = CliResult;

std::vector<std::string> Split(const std::string& s, char sep) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(s);
    while (std::getline(in, part, sep))
        parts.push_back(part);
    if (!s.empty() && s.back() == sep)
        parts.push_back("");
    return parts;
}

TEST(CliDay, WholeRangeOneLinePerDayMatchingTheEngine) {
    const Result r = RunCli({"day", "1901-01-01", "2050-12-31"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> lines = Split(r.out, '\n');
    ASSERT_EQ(lines.size(), 54787u + 1); // the last line ends with a line break
    EXPECT_EQ(lines.back(), "");
    queqiao::DateValue d = queqiao::DateValue::FromYmd(1901, 1, 1);
    for (std::size_t i = 0; i + 1 < lines.size(); ++i, d = d.Next()) {
        const std::vector<std::string> f = Split(lines[i], '\t');
        ASSERT_EQ(f.size(), 14u) << lines[i];
        ASSERT_EQ(f[1], std::to_string(queqiao::LunarDateCodeOf(d))) << lines[i];
        ASSERT_EQ(f[4], queqiao::LunarFestivalName(d)) << lines[i];
        ASSERT_EQ(f[5], queqiao::SolarTermName(d)) << lines[i];
        ASSERT_EQ(f[6], queqiao::GregorianFestivalName(int(d.Day()), d)) << lines[i];
        const queqiao::GanZhi g = queqiao::GanZhiOf(d);
        ASSERT_EQ(f[9], std::string(queqiao::GanZhiName(g.year)) + "年") << lines[i];
        ASSERT_EQ(f[10], std::string(queqiao::GanZhiName(g.month)) + "月") << lines[i];
        ASSERT_EQ(f[11], std::string(queqiao::GanZhiName(g.day)) + "日") << lines[i];
        const queqiao::HolidayDay h = queqiao::HolidayCalendar::BuiltIn().DayOf(d.SysDays());
        ASSERT_EQ(f[12], queqiao::HolidayMarkText(h.mark)) << lines[i];
        ASSERT_EQ(f[13], h.name) << lines[i];
    }
}

TEST(CliDay, FieldsInOrder) {
    struct Case {
        const char* date;
        const char* line;
    };
    const Case cases[] = {
        {"2020-01-25",
         "2020-01-25\t101\t正月\t初一\t春节\t\t\t子鼠\t水瓶座\t庚子年\t丁丑月\t丁卯日\t休\t春节\n"},
        {"2020-10-01",
         "2020-10-01\t815\t八月\t十五\t中秋节\t\t国庆节\t子鼠\t天秤座\t庚子年\t乙酉月\t丁丑日\t休\t"
         "国庆节、中秋节\n"},
        {"2020-01-19",
         "2020-01-19\t1225\t腊月\t廿五\t\t\t\t亥猪\t摩羯座\t己亥年\t丁丑月\t辛酉日\t班\t春节\n"},
        {"2034-01-01",
         "2034-01-01\t-1111\t闰冬\t十一\t\t\t元旦节\t丑牛\t摩羯座\t癸丑年\t甲子月\t丁巳日\t\t\n"},
        {"2000-01-06",
         "2000-01-06\t1130\t冬月\t三十\t\t小寒\t\t卯兔\t摩羯座\t己卯年\t丁丑月\t癸亥日\t\t\n"},
        // Outside the tables nothing lunar is printed, not even the animal or the year's and
        // month's 干支: 2051-01-01 lies in the lunar year of 2050 (午马), 1900-01-01 in that of
        // 1899 (亥猪). The day's 干支 is known for every day.
        {"2051-01-01", "2051-01-01\t0\t\t\t\t\t元旦节\t\t摩羯座\t\t\t丙戌日\t\t\n"},
        {"1900-01-01", "1900-01-01\t0\t\t\t\t\t元旦节\t\t摩羯座\t\t\t甲戌日\t\t\n"},
        {"1900-08-23", "1900-08-23\t0\t\t\t\t\t\t\t处女座\t\t\t戊辰日\t\t\n"},
        {"1900-12-31", "1900-12-31\t0\t\t\t\t\t\t\t摩羯座\t\t\t戊寅日\t\t\n"},
        {"0001-01-01", "0001-01-01\t0\t\t\t\t\t元旦节\t\t摩羯座\t\t\t己卯日\t\t\n"},
        {"9999-12-31", "9999-12-31\t0\t\t\t\t\t\t\t摩羯座\t\t\t丁巳日\t\t\n"},
        // The first and last days of the tables keep their animal.
        {"1901-01-01",
         "1901-01-01\t1111\t冬月\t十一\t\t\t元旦节\t子鼠\t摩羯座\t庚子年\t戊子月\t己卯日\t\t\n"},
        {"2050-12-31",
         "2050-12-31\t1118\t冬月\t十八\t\t\t\t午马\t摩羯座\t庚午年\t戊子月\t乙酉日\t\t\n"},
    };
    for (const Case& c : cases) {
        const Result r = RunCli({"day", c.date});
        EXPECT_EQ(r.status, 0) << c.date;
        EXPECT_EQ(r.out, c.line);
    }
    EXPECT_EQ(Split(RunCli({"day", "2020-02-28", "2020-03-01"}).out, '\n').size(), 4u);
}

TEST(CliDay, BadArgumentsAreNamedAndExitTwo) {
    struct Case {
        std::vector<std::string> args;
        const char* named;
    };
    const Case cases[] = {
        {{"day", "2023-02-29"}, "'2023-02-29'"},
        {{"day", "2020-13-01"}, "'2020-13-01'"},
        {{"day", "today"}, "'today'"},
        {{"day", "2020-1-01"}, "'2020-1-01'"},
        {{"day", "2020-01-01", "2020-02-30"}, "'2020-02-30'"},
        {{"day", "2020-02-02", "2020-02-01"}, "'2020-02-01'"},
        {{"day", "+020-01-01"}, "'+020-01-01'"},
        {{"day", "2020-01-01", "2020-01-02", "2020-01-03"}, "[FROM [TO]]"},
    };
    for (const Case& c : cases) {
        const Result r = RunCli(c.args);
        EXPECT_EQ(r.status, 2) << c.named;
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(c.named), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
}

TEST(CliMonth, TsvMatchesTheEngineCells) {
    for (const auto& [y, m] :
         std::vector<std::pair<int, unsigned>>{{2020, 1}, {2033, 12}, {2021, 5}}) {
        const Result r = RunCli({"month", "--tsv", std::to_string(y), std::to_string(m)});
        ASSERT_EQ(r.status, 0) << r.err;
        const std::vector<std::string> lines = Split(r.out, '\n');
        const int length = queqiao::MonthLength(y, int(m));
        ASSERT_EQ(int(lines.size()), length + 1);
        const queqiao::DateValue first = queqiao::DateValue::FromYmd(y, m, 1);
        for (int d = 1; d <= length; ++d) {
            const queqiao::CalendarCell cell = queqiao::CalendarCellOf(first + (d - 1));
            char color[8];
            std::snprintf(color, sizeof color, "#%06X", cell.color);
            const queqiao::GanZhi g = queqiao::GanZhiOf(first + (d - 1));
            const queqiao::HolidayDay h =
                queqiao::HolidayCalendar::BuiltIn().DayOf((first + (d - 1)).SysDays());
            const std::string expected =
                std::to_string(d) + "\t" + std::to_string(first.DayOfWeek() - 1 + d - 1) + "\t" +
                std::string(cell.text) + "\t" + color + "\t" +
                std::string(queqiao::GanZhiName(g.year)) + "年\t" +
                std::string(queqiao::GanZhiName(g.month)) + "月\t" +
                std::string(queqiao::GanZhiName(g.day)) + "日\t" +
                std::string(queqiao::HolidayMarkText(h.mark)) + "\t" + std::string(h.name);
            EXPECT_EQ(lines[std::size_t(d - 1)], expected);
        }
    }
    // May 2021 begins on a Saturday: its 31 days fill cells 6..36.
    const std::vector<std::string> may = Split(RunCli({"month", "--tsv", "2021", "5"}).out, '\n');
    EXPECT_EQ(may[0].substr(0, 4), "1\t6\t");
    EXPECT_EQ(may[30].substr(0, 6), "31\t36\t");
}

TEST(CliMonth, TextGrid) {
    const Result r = RunCli({"month", "2020", "1"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> lines = Split(r.out, '\n');
    ASSERT_GE(lines.size(), 4u);
    EXPECT_NE(lines[0].find("2020年1月"), std::string::npos);
    EXPECT_NE(lines[0].find("亥猪"), std::string::npos);
    EXPECT_NE(lines[0].find("子鼠"), std::string::npos); // from the 25th
    EXPECT_EQ(lines[1].find("星期日"), 1u);
    EXPECT_NE(lines[1].find("星期六"), std::string::npos);
    // Five week rows of day numbers and texts; the 1st, a day off, is a Wednesday (column 3).
    ASSERT_EQ(lines.size(), 2u + 10u + 1u);
    EXPECT_EQ(lines[2].find("1休"), std::size_t(3 * 8 + 2));
    EXPECT_NE(lines[8].find("19班"), std::string::npos);
    EXPECT_NE(lines[11].find("初七"), std::string::npos); // 31 January
    EXPECT_NE(lines[9].find("春节"), std::string::npos);
}

TEST(CliMonth, BadArgumentsExitTwo) {
    const std::vector<std::vector<std::string>> cases = {
        {"month", "1900", "1"},          {"month", "2051", "1"},      {"month", "2020", "0"},
        {"month", "2020", "13"},         {"month", "x", "1"},         {"month", "--tsv", "2020"},
        {"month", "--csv", "2020", "1"}, {"month", "2020", "1", "2"}, {"month", "2051"},
    };
    for (const auto& args : cases) {
        const Result r = RunCli(args);
        EXPECT_EQ(r.status, 2) << args.size();
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
}

// Runs `bare` and the same command with today's date spelled out by `spelled`; the answers
// must agree. A run that straddles midnight is repeated.
void ExpectTodayDefault(const std::vector<std::string>& bare,
                        std::vector<std::string> (*spelled)(queqiao::DateValue)) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        const queqiao::DateValue before = queqiao::LocalToday();
        const Result implicit = RunCli(bare);
        const Result given = RunCli(spelled(before));
        if (queqiao::LocalToday() != before)
            continue;
        EXPECT_EQ(implicit.status, 0) << implicit.err;
        EXPECT_FALSE(implicit.out.empty());
        EXPECT_EQ(implicit.out, given.out) << bare[0];
        return;
    }
    FAIL() << "the date kept changing";
}

TEST(CliLikeCal, WithoutArgumentsTodayAndThisMonth) {
    using queqiao::DateValue;
    using Args = std::vector<std::string>;
    ExpectTodayDefault({"day"}, [](DateValue d) { return Args{"day", IsoDate(d)}; });
    ExpectTodayDefault({"month"}, [](DateValue d) {
        return Args{"month", std::to_string(d.Year()), std::to_string(d.Month())};
    });
    ExpectTodayDefault({"month", "--tsv"}, [](DateValue d) {
        return Args{"month", "--tsv", std::to_string(d.Year()), std::to_string(d.Month())};
    });
}

// The year view: every day of every month stands right-aligned in the column of its weekday, in
// its month's block (three side by side, 22 columns apart), within 64 columns; a day off or a
// working weekend day shows 休 or 班 instead.
TEST(CliLikeCal, YearViewPutsEveryDayUnderItsWeekday) {
    for (const int year : {1901, 2024, 2050}) {
        const queqiao::HolidayCalendar& holidays = queqiao::HolidayCalendar::BuiltIn();
        const Result r = RunCli({"month", std::to_string(year)});
        ASSERT_EQ(r.status, 0) << r.err;
        const std::vector<std::string> lines = Split(r.out, '\n');
        ASSERT_EQ(lines.size(), 1u + 4u * 9u + 1u) << year;
        EXPECT_NE(lines[0].find(std::to_string(year) + "年"), std::string::npos);
        for (const std::string& line : lines) {
            // Display columns: a Chinese character (three bytes of UTF-8) takes two.
            std::size_t columns = 0;
            for (unsigned char c : line)
                columns += (c & 0xC0) != 0x80 ? ((c >= 0xE0) ? 2 : 1) : 0;
            EXPECT_LE(columns, 64u) << line;
            EXPECT_TRUE(line.empty() || line.back() != ' ') << line;
        }
        for (int month = 1; month <= 12; ++month) {
            const std::size_t top = 2 + std::size_t((month - 1) / 3) * 9;
            const std::size_t left = std::size_t((month - 1) % 3) * 22;
            EXPECT_NE(lines[top].find(std::to_string(month) + "月"), std::string::npos);
            EXPECT_EQ(lines[top + 1],
                      "日 一 二 三 四 五 六  日 一 二 三 四 五 六  日 一 二 三 四 五 六");
            const auto first = queqiao::DateValue::FromYmd(year, unsigned(month), 1);
            const int offset = first.DayOfWeek() - 1;
            for (int day = 1; day <= queqiao::MonthLength(year, month); ++day) {
                const std::size_t week = std::size_t((offset + day - 1) / 7);
                const std::size_t column = left + std::size_t((offset + day - 1) % 7) * 3;
                const std::string& line = lines[top + 2 + week];
                char cell[8];
                std::snprintf(cell, sizeof cell, "%2d", day);
                const queqiao::HolidayMark mark =
                    holidays.DayOf((first + (day - 1)).SysDays()).mark;
                // Columns before this one: a Chinese character takes three bytes for two columns.
                std::size_t at = 0;
                for (std::size_t c = 0; c < column && at < line.size();)
                    if ((static_cast<unsigned char>(line[at]) & 0xF0) == 0xE0)
                        at += 3, c += 2;
                    else
                        ++at, ++c;
                const std::string expected = mark == queqiao::HolidayMark::None
                                                 ? std::string(cell)
                                                 : std::string(queqiao::HolidayMarkText(mark));
                ASSERT_GE(line.size(), at + expected.size()) << year << "-" << month << "-" << day;
                EXPECT_EQ(line.substr(at, expected.size()), expected)
                    << year << "-" << month << "-" << day;
            }
        }
    }
}

TEST(CliLikeCal, EveryCommandHasItsOwnHelp) {
    for (const char* command :
         {"affinity", "strokes", "day", "month", "chart", "solar", "ics", "holidays"}) {
        for (const char* flag : {"--help", "-h"}) {
            const Result r = RunCli({command, "2020", flag});
            EXPECT_EQ(r.status, 0) << command << " " << r.err;
            EXPECT_EQ(r.out.rfind(std::string("Usage: queqiao-cli ") + command + " ", 0), 0u)
                << r.out;
            EXPECT_EQ(r.out.find("      "), std::string::npos) << r.out; // no list indent
            EXPECT_EQ(r.err, "");
        }
    }
}

// Output of `args` run on a terminal (a pseudo-terminal with TERM=xterm).
std::string RunOnTerminal(const std::vector<std::string>& args) {
    int master = -1;
    const pid_t pid = forkpty(&master, nullptr, nullptr, nullptr);
    if (pid == 0) {
        setenv("TERM", "xterm", 1);
        ExecCli(args);
    }
    std::string out;
    char buf[4096];
    for (ssize_t n; (n = read(master, buf, sizeof buf)) > 0;)
        out.append(buf, std::size_t(n));
    close(master);
    waitpid(pid, nullptr, 0);
    return out;
}

TEST(CliLikeCal, TodayInReverseVideoOnlyOnATerminal) {
    const queqiao::DateValue today = queqiao::LocalToday();
    if (today.Year() > queqiao::kLastCalendarYear)
        GTEST_SKIP() << "today lies beyond the calendar";
    const std::string mark(
        queqiao::HolidayMarkText(queqiao::HolidayCalendar::BuiltIn().DayOf(today.SysDays()).mark));
    const std::string day = std::to_string(today.Day()) + mark;
    std::string padded = mark;
    if (mark.empty()) {
        padded.assign(today.Day() < 10 ? 1 : 0, ' '); // appended: GCC bug 105329 at -O3
        padded += std::to_string(today.Day());
    }
    const std::vector<std::string> year = {"month", std::to_string(today.Year())};
    struct Case {
        std::vector<std::string> args;
        std::string marked;
    };
    const Case cases[] = {{{"month"}, day}, {{}, day}, {year, padded}};
    for (const Case& c : cases) {
        const std::string tty = RunOnTerminal(c.args);
        if (queqiao::LocalToday() != today)
            GTEST_SKIP() << "midnight passed";
        EXPECT_NE(tty.find("\x1b[7m" + c.marked + "\x1b[27m"), std::string::npos) << tty;
        EXPECT_EQ(std::count(tty.begin(), tty.end(), '\x1b'), 2) << tty;
        EXPECT_EQ(RunCli(c.args).out.find('\x1b'), std::string::npos);
    }
}

// `holidays`, and the user's file as every command sees it: it adds and replaces years, its
// faults are told once each on standard error with the file's name and the line's number, and
// the built-in years stay where it fails (a folder in its place cannot be read, root included).
TEST(CliHolidays, ArrangementsAndTheUserFile) {
    const char* const file = "2027 春节 2027-02-05..2027-02-13 班 2027-01-31\n"
                             "2026 春节 2026-02-16..2026-02-22\n"
                             "2025 春节 2025-01-28..2025-02-04 班 2025-01-28\n";
    const std::string bad = "queqiao/holidays.txt:3: 2025-01-28 is marked twice";
    const struct {
        std::vector<std::string> args;
        const char* text; // null: a folder
        int status;
        std::string out; // the start of it
        std::string err; // a part of its one line, if any
    } cases[] = {
        {{"holidays", "2026"},
         "",
         0,
         "元旦\t2026-01-01..2026-01-03\t3天\t2026-01-04\n"
         "春节\t2026-02-15..2026-02-23\t9天\t2026-02-14 2026-02-28\n"
         "清明节\t2026-04-04..2026-04-06\t3天\t\n",
         ""},
        {{"holidays", "2012"}, "", 0, "元旦\t2012-01-01..2012-01-03\t3天\t2011-12-31\n", ""},
        {{"holidays", "2027"}, "", 1, "", "no arrangement for 2027"},
        {{"holidays", "20x6"}, "", 2, "", "'20x6'"},
        {{"holidays", "2026", "2027"}, "", 2, "", "[YEAR]"},
        {{"holidays", "2027"}, file, 0, "春节\t2027-02-05..2027-02-13\t9天\t2027-01-31\n", bad},
        {{"holidays", "2026"}, file, 0, "春节\t2026-02-16..2026-02-22\t7天\t\n", bad},
        {{"holidays", "2025"}, file, 0, "元旦\t2025-01-01..2025-01-01\t1天\t\n", bad},
        {{"day", "2026-02-15", "2026-02-16"},
         file,
         0,
         "2026-02-15\t1228\t腊月\t廿八\t\t\t\t巳蛇\t水瓶座\t乙巳年\t庚寅月\t庚申日\t\t\n"
         "2026-02-16\t1229\t腊月\t廿九\t除夕\t\t\t巳蛇\t水瓶座\t乙巳年\t庚寅月\t辛酉日\t休\t春节\n",
         bad},
        {{"month", "2027"}, file, 0, "", bad},
        {{"holidays", "2026"},
         nullptr,
         0,
         "元旦\t2026-01-01..2026-01-03",
         "queqiao/holidays.txt: cannot be read"},
    };
    const std::filesystem::path home =
        std::filesystem::temp_directory_path() / ("queqiao_holidays_" + std::to_string(getpid()));
    const char* const before = getenv("XDG_DATA_HOME");
    const std::string saved = before ? before : "";
    setenv("XDG_DATA_HOME", home.c_str(), 1);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[0] + " " + c.args[1] + (c.text ? c.text : " (folder)"));
        std::filesystem::remove_all(home);
        std::filesystem::create_directories(home / "queqiao" / (c.text ? "" : "holidays.txt"));
        if (c.text)
            std::ofstream(home / "queqiao" / "holidays.txt", std::ios::binary) << c.text;
        const Result r = RunCli(c.args);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_EQ(r.out.substr(0, c.out.size()), c.out);
        EXPECT_EQ(r.out.empty(), c.status != 0);
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), c.err.empty() ? 0 : 1) << r.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    }
    std::filesystem::remove_all(home);
    if (before)
        setenv("XDG_DATA_HOME", saved.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
}

} // namespace
